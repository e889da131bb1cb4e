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

  for (const [language, title] of [['de', 'Flugbuch'], ['ja', 'フライトログブック']]) {
    const file = path.join(work, 'card-' + language + '.html');
    execFileSync(options.trelvox, ['-r', '--no-csv', '--lang', language, '--logbook-page', file,
      path.join(work, 'card')]);
    const other = await browser.newPage();
    await other.goto(pathToFileURL(file).href);
    await other.waitForSelector('body[data-ready="true"]', { timeout: 20000 });
    check(await other.$eval('h1', (h1) => h1.textContent) === title, language + ': ' + title);
    await other.close();
  }

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
