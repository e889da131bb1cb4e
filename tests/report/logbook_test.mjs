// The logbook page as a person sees it: the demo card (three models, a dozen logs, one brownout) is
// written here, turned into a page with the logs' own pages beside it, and opened from file:// in
// headless Chromium or Firefox. Checks the totals, a filter, the day click, a stand-out mark and
// its link to the log's report page (which bands its flight), the page in German and Japanese,
// that nothing is logged as an error and nothing is fetched, and how soon the page is ready;
// Chromium's run saves BUILD/logbook-demo.png.
//   node logbook_test.mjs --source DIR --build DIR --trelvox BIN --make-demo-card BIN
//                         [--browser chromium|firefox]
// Exits 77 (skipped) when the browser is not installed.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

import { BROWSERS, watch } from './browsers.mjs';

function parseArguments(argv) {
  const options = { browser: 'chromium' };
  for (let i = 0; i < argv.length; i += 2) options[argv[i].replace(/^--/, '')] = argv[i + 1];
  for (const required of ['source', 'build', 'trelvox', 'make-demo-card']) {
    if (!options[required]) throw new Error('missing --' + required);
  }
  return options;
}

const options = parseArguments(process.argv.slice(2));
const chosen = BROWSERS[options.browser];
if (!chosen) throw new Error('unknown --browser ' + options.browser);
if (!fs.existsSync(chosen.executable)) {
  console.log('SKIPPED: ' + chosen.executable + ' is not installed (.ci/install-deps installs it)');
  process.exit(77);
}
const puppeteer = createRequire(path.resolve(options.source, 'package.json'))('puppeteer-core');

const failures = [];
function check(condition, what) {
  console.log((condition ? 'ok      ' : 'FAILED  ') + what);
  if (!condition) failures.push(what);
}

// Every language has every text.
const texts = JSON.parse(fs.readFileSync(path.join(options.source,
  'outputs/logbook/logbook_texts.json')));
for (const language of ['de', 'ja']) {
  const missing = Object.keys(texts.en).filter((key) => !(key in texts[language]));
  check(missing.length === 0 &&
    Object.keys(texts[language]).length === Object.keys(texts.en).length,
  language + ' has every text of en ' + JSON.stringify(missing));
}

// The card and its page, with every log's own page beside it.
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'trelvox-logbook-'));
execFileSync(options['make-demo-card'], [path.join(work, 'card')]);
execFileSync(options.trelvox, ['-r', '--no-csv', '--report', '--logbook-page',
  path.join(work, 'card.html'), path.join(work, 'card')]);
const pageFile = path.join(work, 'card.html');
const pageUrl = pathToFileURL(pageFile).href;

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'trelvox-' + options.browser + '-'));

async function open(file) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 900 });
  await page.goto(pathToFileURL(file).href);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 20000 });
  return page;
}

// The German page: the verdicts' words, and decimal commas in the table and the trends' axes.
async function checkGerman(page) {
  const brownout = await page.$$eval('table.logbook tr[data-log="card/Extra 330/flight-07.KLD"] td',
    (cells) => cells.map((cell) => cell.textContent));
  check(brownout.includes('4,30 V') && brownout.includes('Vor dem nächsten Flug prüfen'),
    'de: the table writes decimal commas and what the verdict means ' + JSON.stringify(brownout));
  const filter = await page.$$eval('#logbook select:nth-of-type(2) option',
    (choices) => choices.map((choice) => choice.textContent));
  check(filter.includes('Vor dem nächsten Flug prüfen'), 'de: the verdict filter in words ' +
    JSON.stringify(filter));
  await page.$eval('.trend[data-figure="min_receiver_voltage_v"]',
    (trend) => trend.scrollIntoView());
  await page.waitForSelector('body[data-charts="drawn"]', { timeout: 20000 });
  const marks = await page.$$eval('.trend .mark', (all) => all.map((mark) => mark.title));
  check(marks.some((title) => title.endsWith(': 4,30 V')), 'de: the marks\' tooltips write ' +
    'decimal commas ' + JSON.stringify(marks));
}

// A card whose Cub folder has a limits file of its own and the rest one for the whole card: the
// rules state the card's values, and Cub's where they differ.
async function checkRulesOfLimitsFiles() {
  const card = path.join(work, 'limits-card');
  execFileSync(options['make-demo-card'], [card]);
  fs.writeFileSync(path.join(card, 'trelvox.toml'), '[flights]\nheight = 2.5\n');
  fs.writeFileSync(path.join(card, 'Cub', 'trelvox.toml'),
    '[flights]\nheight = 20\n[checks]\ngap = [2.5, 6]\noff = ["cut_short"]\n');
  for (const [language, flight, others] of [
    ['en', 'at least 2.5 m or its speed (the first speed in km/h) at least 15.0 km/h',
      ['Cub – 3 of 12 logs:', 'height 20 m', 'gap in the records (gap): amber 2.5 s, red 6 s',
        'turned off by a limits file: log cut short']],
    ['de', 'mindestens 2,5 m oder seine Geschwindigkeit (die erste in km/h) mindestens 15,0 km/h',
      ['Cub – 3 von 12 Logs:', 'height 20 m',
        'Lücke in den Datensätzen (gap): gelb 2,5 s, rot 6 s']],
  ]) {
    const file = path.join(work, 'limits-' + language + '.html');
    execFileSync(options.trelvox, ['-r', '--no-csv', '--lang', language, '--logbook-page', file,
      card]);
    const page = await open(file);
    const rules = await page.$eval('#rules', (footer) => ({
      flight: footer.querySelector('[data-rule="flight"]').textContent,
      usual: [...footer.querySelectorAll('ul[data-rules="0"] li')].map((li) => li.textContent),
      others: [...footer.querySelectorAll('.rule-others li[data-rules="1"], ' +
        '.rule-others li[data-rules="1"] li')].map((li) => li.firstChild.textContent.trim()),
    }));
    check(rules.flight.includes(flight), language + ': the flight rule gives the values most ' +
      'logs used ' + JSON.stringify(rules.flight));
    check(rules.usual.length === 3 && rules.usual[0].includes(language === 'en'
      ? 'gap in the records (gap): amber 1.0 s, red 5.0 s'
      : 'Lücke in den Datensätzen (gap): gelb 1,0 s, rot 5,0 s'),
    language + ': the checks\' values ' + JSON.stringify(rules.usual));
    check(others.every((text) => rules.others.includes(text)), language + ': Cub\'s other values ' +
      JSON.stringify(rules.others));
    await page.close();
  }
}
const browser = await puppeteer.launch(chosen.launchOptions(scratch));
console.log('browser: ' + await browser.version());

try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 900 });
  const seen = watch(page, pageUrl);
  const started = Date.now();
  await page.goto(pageUrl);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 20000 });
  console.log('ready after ' + (Date.now() - started) + ' ms');
  await page.waitForSelector('body[data-charts="drawn"][data-table="complete"]',
    { timeout: 20000 });
  console.log('charts drawn after ' + (Date.now() - started) + ' ms');

  const total = (key) => page.$eval(`[data-total="${key}"] dd`, (dd) => dd.textContent);
  check(await total('logs') === '12', 'the card holds 12 logs');
  check(await total('models') === '3', 'of three models');
  check(await total('flights') === '12', 'each log one flight');
  check(/^0:[0-5]\d:\d\d$/.test(await total('air_time')), 'air time as h:mm:ss');
  check((await page.$$('.model-card[data-model]')).length === 3, 'a card per model');
  const charts = await page.$$eval('.trend canvas', (canvases) => canvases.length);
  check(charts >= 3 * 5, 'trend charts for every model (' + charts + ')');

  const shownRows = () => page.$$eval('table.logbook tbody tr[data-log]', (rows) =>
    rows.map((row) => ({ model: row.dataset.model, day: row.dataset.day })));
  check((await shownRows()).length === 12, 'the table lists every log');
  await page.select('#logbook select', 'Cub');
  const cubs = await shownRows();
  check(cubs.length === 3 && cubs.every((row) => row.model === 'Cub'), 'the model filter');
  await page.select('#logbook select', '');

  await page.click('.day-strip .day.flown[data-day="2026-04-25"]');
  const day = await shownRows();
  check(day.length === 2 && day.every((row) => row.day === '2026-04-25'), 'the day click');
  await page.click('.day-strip .day.flown[data-day="2026-04-25"]');
  check((await shownRows()).length === 12, 'a second click shows every day again');

  const brownout = 'card/Extra 330/flight-07.KLD';
  const mark = await page.$(`.trend .mark[data-standout="min_receiver_voltage_v"]` +
    `[data-log="${brownout}"]`);
  check(mark !== null, 'the brownout is marked on its trend');
  const listed = await page.$$eval(`#standouts li[data-standout][data-log="${brownout}"]`,
    (items) => items.map((item) => item.textContent));
  check(listed.some((text) => /^Extra 330, .*: lowest receiver voltage 4\.30 V; usually/.test(text)),
    'what stands out names it ' + JSON.stringify(listed));
  check(seen.errors.length === 0, 'no console errors ' + JSON.stringify(seen.errors));
  // Firefox draws its own form controls (the filters' drop-downs) in a font of its own, which it
  // loads from a data: address: nothing leaves the machine.
  const leaving = seen.requests.filter((url) => !url.startsWith('data:'));
  check(leaving.length === 0, 'no request leaves the page ' + JSON.stringify(leaving));
  if (chosen.screenshot === 'report-demo.png') {
    await page.screenshot({ path: path.join(options.build, 'logbook-demo.png'), fullPage: true });
  }

  const verdicts = await page.$$eval('table.logbook [data-verdict]', (badges) =>
    badges.map((badge) => badge.dataset.verdict + ':' + badge.textContent));
  check(verdicts.includes('amber:Worth a look') && verdicts.includes('green:Nothing found'),
    'the verdicts say what they mean ' + JSON.stringify([...new Set(verdicts)]));
  check(await page.$eval('#rules [data-rule="flight"]', (p) => p.textContent.includes(
    'at least 3.0 m or its speed (the first speed in km/h) at least 15.0 km/h')),
  'the rules give the default values where no limits file sets others');

  for (const [language, title] of [['de', 'Flugbuch'], ['ja', 'フライトログブック']]) {
    const file = path.join(work, 'card-' + language + '.html');
    execFileSync(options.trelvox, ['-r', '--no-csv', '--lang', language, '--logbook-page', file,
      path.join(work, 'card')]);
    const other = await open(file);
    check(await other.$eval('h1', (h1) => h1.textContent) === title, language + ': ' + title);
    if (language === 'de') await checkGerman(other);
    await other.close();
  }
  await checkRulesOfLimitsFiles();

  if (mark) {
    check(await mark.evaluate((a) => a.getAttribute('href')) ===
      'card/Extra%20330/flight-07.html', 'the mark links the log\'s page');
    await Promise.all([page.waitForNavigation(), mark.click()]);
    check(page.url().endsWith('/card/Extra%20330/flight-07.html'), 'a click opens it');
    await page.waitForSelector('body[data-ready="1"]', { timeout: 20000 });
    const flights = await page.evaluate(() =>
      JSON.parse(document.getElementById('report-data').textContent).flights);
    check(Array.isArray(flights) && flights.length === 1 && flights[0][1] > flights[0][0],
      'its report shows the flight as a band ' + JSON.stringify(flights));
  }
} finally {
  await browser.close();
  fs.rmSync(work, { recursive: true, force: true });
  fs.rmSync(scratch, { recursive: true, force: true });
}

if (failures.length > 0) {
  console.log(failures.length + ' check(s) failed');
  process.exit(1);
}
console.log('all checks passed');
