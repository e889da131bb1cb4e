// The flight report as a person sees it: headless Chromium or Firefox opens report pages from
// file:// and checks what shows. The demo's page: no console error, no request, one drawn chart per
// quantity group, the summary's numbers equal to the CSV's readings, the track and its cursor dot;
// it is saved as BUILD/report-demo.png (BUILD/report-demo-firefox.png from Firefox). Then a page
// that does load something (the watchers must see it), logs without positions, without sensors,
// without records and with one, a log of readings in the millions, the page languages, a flight of
// over an hour, a log whose name is markup, one whose name is not UTF-8, and the time a one-hour log
// with every decoder takes to be ready.
//   node report_test.mjs --source DIR --build DIR --trelvox BIN --make-report BIN
//                        [--make-bench-log BIN] [--browser chromium|firefox]
// Exits 77 (skipped) when the browser is not installed.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

import { BROWSERS, watch } from './browsers.mjs';

const SLOT_MAP_OFFSET = 4;
const RECORD_SIZE = 164;
const SLOT_WORDS_OFFSET = 36;  // after the time and the sixteen channels
const JETCAT = 136;  // the turbine controller's type, sixteen slots
const DEMO_GROUPS = ['height', 'speed', 'voltage', 'current', 'temperature', 'rotation', 'other',
  'channel'];

function parseArguments(argv) {
  const options = { browser: 'chromium' };
  for (let i = 0; i < argv.length; i += 2) options[argv[i].replace(/^--/, '')] = argv[i + 1];
  for (const required of ['source', 'build', 'trelvox', 'make-report']) {
    if (!options[required]) throw new Error('missing --' + required);
  }
  if (!Object.hasOwn(BROWSERS, options.browser)) {
    throw new Error('unknown --browser ' + options.browser);
  }
  return options;
}

const options = parseArguments(process.argv.slice(2));
const browserName = options.browser;
const chosen = BROWSERS[browserName];
if (!fs.existsSync(chosen.executable)) {
  console.log('SKIPPED: ' + chosen.executable + ' is not installed (.ci/install-deps installs it)');
  process.exit(77);
}
const puppeteer = createRequire(path.resolve(options.source, 'package.json'))('puppeteer-core');

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'trelvox-report-'));
const failures = [];
function check(condition, what) {
  console.log((condition ? 'ok      ' : 'FAILED  ') + what);
  if (!condition) failures.push(what);
}

// --- Logs ---------------------------------------------------------------------------------

function demoCopy(name) {
  const base = path.join(work, name);
  fs.copyFileSync(path.join(options.source, 'examples/demo.KLD'), base + '.KLD');
  fs.copyFileSync(path.join(options.source, 'examples/demo.KLI'), base + '.KLI');
  return base;
}

// The demo with its slot map and records changed by `edit(info, data)`, which gets both files'
// bytes.
function demoEdited(name, edit) {
  const base = demoCopy(name);
  const info = fs.readFileSync(base + '.KLI');
  const data = fs.readFileSync(base + '.KLD');
  edit(info, data);
  fs.writeFileSync(base + '.KLI', info);
  fs.writeFileSync(base + '.KLD', data);
  return base;
}

// The demo with every slot-map entry of type `typeId` cleared, so that sensor is not decoded.
function demoWithout(name, typeIds) {
  return demoEdited(name, (info) => {
    for (let offset = SLOT_MAP_OFFSET; offset + 1 < info.length; offset += 2) {
      if (typeIds.includes(info[offset])) info.fill(0, offset, offset + 2);
    }
  });
}

function writeReport(base, page, extra = []) {
  execFileSync(options['make-report'], [...extra, base + '.KLD', page]);
  return page;
}

// --- Browser ------------------------------------------------------------------------------

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'trelvox-' + browserName + '-'));
const browser = await puppeteer.launch(chosen.launchOptions(scratch));
console.log('browser: ' + await browser.version());

// Opens `file` and waits until the page says every chart is drawn; returns the page and what it
// did on the way: console errors, uncaught errors, requests other than the page itself, dialogs.
// A load the page's Content-Security-Policy blocks shows as an error naming the address.
async function open(file, width = 1280, prepare = null) {
  const page = await browser.newPage();
  await page.setViewport({ width, height: 900 });
  if (prepare) await page.evaluateOnNewDocument(prepare);
  const url = pathToFileURL(file).href;
  const seen = watch(page, url);
  page.on('dialog', async (dialog) => {
    seen.dialogs.push(dialog.message());
    await dialog.dismiss();
  });
  await page.goto(url);
  try {
    await page.waitForSelector('body[data-ready="1"]', { timeout: 20000 });
  } catch (error) {
    throw new Error(file + ' never became ready; it said ' + JSON.stringify(seen.errors));
  }
  return { page, seen };
}

function checkQuiet(name, seen) {
  check(seen.errors.length === 0, name + ': no console errors ' + JSON.stringify(seen.errors));
  check(seen.requests.length === 0, name + ': no request leaves the page ' +
    JSON.stringify(seen.requests));
}

const chartGroups = (page) => page.$$eval('.chart-group', (groups) =>
  groups.map((group) => group.dataset.group));

// How many clearly coloured pixels (series lines, not grey axes or grid) each chart canvas holds.
const colouredPixelsPerChart = (page) => page.$$eval('.chart-group canvas', (canvases) =>
  canvases.map((canvas) => {
    const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let count = 0;
    for (let i = 0; i < pixels.length; i += 4) {
      const spread = Math.max(pixels[i], pixels[i + 1], pixels[i + 2]) -
        Math.min(pixels[i], pixels[i + 1], pixels[i + 2]);
      if (pixels[i + 3] > 0 && spread > 60) count++;
    }
    return count;
  }));

// The columns of a chart's canvas holding ink in one band beside its plot area ('left', 'right' or
// 'below' it, under the grid line on its edge), as runs [first, last] of canvas pixels, with the
// band's first and last column. Gaps of up to two columns, as between the glyphs of one text, join
// a run.
const inkBeside = (page, group, band) => page.$eval(`.chart-group[data-group="${group}"]`,
  (section, band) => {
    const canvas = section.querySelector('canvas');
    const outer = canvas.getBoundingClientRect();
    const plot = section.querySelector('.u-over').getBoundingClientRect();
    const [left, right, top, bottom] = [plot.left - outer.left, plot.right - outer.left,
      plot.top - outer.top, plot.bottom - outer.top]
      .map((v) => Math.round(v * canvas.width / outer.width));
    const [x0, x1, y0, y1] = {
      left: [0, left, top, bottom],
      right: [right, canvas.width, top, bottom],
      below: [left, right, bottom + 2, canvas.height],
    }[band];
    const pixels = canvas.getContext('2d').getImageData(x0, y0, x1 - x0, y1 - y0).data;
    const runs = [];
    for (let x = x0; x < x1; x++) {
      let ink = false;
      for (let y = 0; y < y1 - y0 && !ink; y++) ink = pixels[(y * (x1 - x0) + x - x0) * 4 + 3] > 0;
      if (ink && runs.length > 0 && runs[runs.length - 1][1] >= x - 3) runs[runs.length - 1][1] = x;
      else if (ink) runs.push([x, x]);
    }
    return { runs, first: x0, last: x1 - 1 };
  }, band);

async function checkChartsDrawn(name, page) {
  const counts = await colouredPixelsPerChart(page);
  check(counts.length > 0 && counts.every((n) => n >= 100),
    name + ': every chart canvas has drawn series ' + JSON.stringify(counts));
}

// The summary table as shown: per row the sensor ("slot TYPE", carried down from the sensor's
// first row), the reading's name and the smallest, largest and last texts.
const summaryRows = (page) => page.$$eval('#summary-table tbody tr', (rows) => {
  let sensor = '';
  return rows.map((row) => {
    const cells = [...row.cells].map((cell) => cell.textContent);
    if (cells[0]) sensor = cells[0];
    return { sensor, name: cells[1], min: cells[2], max: cells[3], last: cells[4], unit: cells[5] };
  });
});

// The CSV's sensor columns with numbers: "slot TYPE" and name from the header rows, and the
// smallest, largest and last value, each as the text the CSV shows (padding dropped).
function csvReadings(csvFile) {
  const rows = fs.readFileSync(csvFile, 'latin1').split('\r\n').filter((row) => row.length > 0)
    .map((row) => row.split(','));
  const readings = [];
  for (let c = 17; c < rows[2].length - 1; c++) {
    const texts = rows.slice(3).map((row) => row[c].trim());
    const present = texts.filter((text) => text !== '---');
    if (present.some((text) => !/^[-+]?\d+(\.\d+)?$/.test(text))) continue;
    const byValue = [...present].sort((a, b) => Number(a) - Number(b));
    readings.push({
      sensor: rows[0][c] + ' ' + rows[1][c].trim(), name: rows[2][c],
      min: byValue[0] ?? '---', max: byValue[byValue.length - 1] ?? '---',
      last: texts[texts.length - 1],
    });
  }
  return readings;
}

// A table text against the JSON number behind it: the text may show fewer decimals, cut.
function sameAsJson(text, number) {
  if (number === null) return text === '---';
  const decimals = (text.split('.')[1] ?? '').length;
  return Math.abs(Number(text) - number) < 10 ** -decimals + 1e-9;
}

function sameNumber(a, b) {
  return a === b || (a !== '---' && b !== '---' && Number(a) === Number(b));
}

// --- Health -------------------------------------------------------------------------------

// The share of the plot's height that carries an event's shade (translucent, as the lines are
// opaque, and warm) in the most shaded of the columns near `fraction` of its width: one column
// could lie under a grid line.
const shadedShare = (page, group, fraction) => page.$eval(`.chart-group[data-group="${group}"]`,
  (section, fraction) => {
    const canvas = section.querySelector('canvas');
    const outer = canvas.getBoundingClientRect();
    const plot = section.querySelector('.u-over').getBoundingClientRect();
    const scale = canvas.width / outer.width;
    const top = Math.round((plot.top - outer.top) * scale);
    const height = Math.round(plot.height * scale);
    let most = 0;
    for (let step = -5; step <= 5; step++) {
      const x = Math.round((plot.left - outer.left + plot.width * fraction) * scale) + 3 * step;
      const pixels = canvas.getContext('2d').getImageData(x, top, 1, height).data;
      let shaded = 0;
      for (let y = 0; y < height; y++) {
        const [r, , b, a] = pixels.slice(y * 4, y * 4 + 4);
        if (a > 20 && a < 160 && r > b) shaded++;
      }
      most = Math.max(most, shaded / height);
    }
    return most;
  }, fraction);

// The demo with a limits file beside it that its heights cross: the verdict card, the events in
// the order of the JSON's, their shading on the height chart only, and a click that zooms every
// chart to an event.
async function checkHealth() {
  const base = demoCopy('health');
  fs.writeFileSync(path.join(path.dirname(base), 'trelvox.toml'),
    '[[limit]]\nquantity = "height"\nabove = [50, 100]\n');
  execFileSync(options.trelvox, ['--force', '--no-csv', '--json', '--report', '--lang', 'de',
    base + '.KLD']);
  const health = JSON.parse(fs.readFileSync(base + '.json', 'utf8')).health;
  const { page, seen } = await open(base + '.html');
  checkQuiet('health', seen);
  const card = await page.$eval('[data-health]', (c) => [c.dataset.health, c.textContent,
    getComputedStyle(c).backgroundColor]);
  check(card[0] === health.verdict && health.verdict === 'red' &&
    card[1] === 'Vor dem nächsten Flug prüfen' && card[2] !== 'rgba(0, 0, 0, 0)',
  'health: the card says the verdict in colour and what it means ' + JSON.stringify(card));
  const listed = await page.$$eval('[data-event]', (events) => events.map((e) =>
    [e.dataset.event, e.dataset.severity, e.textContent]));
  check(listed.length === health.events.length && listed.every(([i, severity], k) =>
    Number(i) === k && severity === health.events[k].severity),
  'health: one element per event, in order ' + JSON.stringify(listed));
  check(listed.length > 0 && listed[0][2] ===
    '0:41,4–3:18,6rotALTITUDE SENSOR ALTITUDE über 100 m (gelb 50 m): höchster Wert 105,0 m',
  'health: the event names its time, item and limits ' + JSON.stringify(listed[0]));

  const canvases = () => page.$$eval('.chart-group canvas', (all) => all.map((c) => c.toDataURL()));
  const before = await canvases();
  const last = health.events.length - 1;
  await page.click(`[data-event="${last}"]`);
  await new Promise((resolve) => setTimeout(resolve, 200));
  const after = await canvases();
  check(after.every((url, i) => url !== before[i]), 'health: a click zooms every chart');
  const height = await shadedShare(page, 'height', 0.5);
  const voltage = await shadedShare(page, 'voltage', 0.5);
  check(height > 0.5 && voltage === 0, 'health: the event zoomed to is shaded on the height ' +
    'chart, not on the voltages (' + height + ', ' + voltage + ')');
  await page.close();

  execFileSync(options.trelvox, ['--force', '--no-csv', '--report', '--lang', 'ja', base + '.KLD']);
  const japanese = await open(base + '.html');
  const first = await japanese.page.$eval('[data-event="0"]', (e) => e.textContent);
  check(first === '0:41.4–3:18.6赤ALTITUDE SENSOR ALTITUDE 100 m 超過(黄 50 m)：最高値 105.0 m',
    'health: in Japanese the value comes before the direction, with Japanese punctuation ' +
    JSON.stringify(first));
  await japanese.page.close();
}

// Keeps every chart the page makes in window.keptCharts, so a test can read what its axes show.
function keepCharts() {
  let kept;
  Object.defineProperty(window, 'uPlot', {
    configurable: true,
    get: () => kept,
    set: (library) => {
      kept = Object.assign(function (...parts) {
        const chart = new library(...parts);
        (window.keptCharts = window.keptCharts || []).push(chart);
        return chart;
      }, library);
    },
  });
}

// A German page writes decimal commas wherever it shows a number: the summary table, the flight
// facts, the y axes' numbers and the legend's values; its data keeps its points.
async function checkGermanNumbers() {
  const base = demoCopy('german');
  execFileSync(options.trelvox, ['--force', '--no-csv', '--report', '--json', '--lang', 'de',
    base + '.KLD']);
  const { page, seen } = await open(base + '.html', 1280, keepCharts);
  checkQuiet('german', seen);
  const numbers = (await summaryRows(page)).flatMap((row) => [row.min, row.max, row.last])
    .filter((text) => text !== '---');
  check(numbers.filter((text) => /^[-+]?\d+,\d+$/.test(text)).length >= 10 &&
    numbers.every((text) => /^[-+]?\d+(,\d+)?$/.test(text)),
  'german: the summary table writes decimal commas ' +
    JSON.stringify(numbers.filter((text) => !/^[-+]?\d+(,\d+)?$/.test(text))));
  const facts = await page.$$eval('#flight-facts td.number', (cells) =>
    cells.map((cell) => cell.textContent));
  check(facts.some((text) => /^\d+:\d\d,\d$/.test(text)) &&
    facts.some((text) => /^\d+,\d+ V$/.test(text)) && !facts.some((text) => text.includes('.')),
  'german: the flight facts write decimal commas ' + JSON.stringify(facts));
  // Zoomed in, the voltages' ticks lie tenths apart.
  await zoomInto(page, 'voltage', 0.5, 0.505);
  const axes = await page.evaluate(() => window.keptCharts.map((chart) =>
    chart.axes.slice(1).flatMap((axis) => axis._values || [])));
  check(axes.flat().some((text) => /^-?\d+,\d+$/.test(text)) &&
    axes.flat().every((text) => !text.includes('.')),
  'german: the y axes write decimal commas ' + JSON.stringify(axes));
  const box = await overlayBox(page, 'voltage');
  await page.mouse.move(box.x + box.width * 0.5, box.y + box.height / 2);
  const legend = await page.$$eval('.chart-group[data-group="voltage"] .u-legend .u-value',
    (values) => values.map((value) => value.textContent));
  check(/^\d+:\d\d,\d$/.test(legend[0]) && legend.slice(1).some((text) => /,\d+ V$/.test(text)),
    'german: the legend writes the time and readings with commas ' + JSON.stringify(legend));
  const verdict = JSON.parse(fs.readFileSync(base + '.json', 'utf8')).health.verdict;
  const words = JSON.parse(fs.readFileSync(path.join(options.source,
    'outputs/report/page_texts.json'))).de['verdict.' + verdict];
  const card = await page.$eval('[data-health]', (c) => c.textContent);
  check(card === words.charAt(0).toUpperCase() + words.slice(1),
    'german: the verdict card says what the verdict means ' + JSON.stringify([verdict, card]));
  const data = await page.evaluate(() =>
    JSON.parse(document.getElementById('report-data').textContent).summary);
  check(data.some((row) => (row.min || '').includes('.')), 'german: the page\'s data keeps points');
  await page.close();
}

// --- The demo -----------------------------------------------------------------------------

async function checkDemo() {
  const base = demoCopy('demo');
  // The page as the command line writes it, beside the files it links to and the JSON file whose
  // numbers the summary must show.
  execFileSync(options.trelvox, ['--force', '--separator', ',', '--decimal', '.', '--report',
    '--json', '--gpx', '--kml', '--lang', 'en', base + '.KLD']);
  const { page, seen } = await open(base + '.html');
  checkQuiet('demo', seen);
  check(JSON.stringify(await chartGroups(page)) === JSON.stringify(DEMO_GROUPS),
    'demo: one chart per quantity group ' + JSON.stringify(await chartGroups(page)));
  check((await page.$$('.chart-group .uplot')).length === DEMO_GROUPS.length,
    'demo: every group holds one chart');
  check(await page.$eval('details.chart-group', (d) => d.dataset.group === 'channel' && !d.open),
    'demo: the channels start collapsed');
  await checkChartsDrawn('demo', page);

  const shown = await summaryRows(page);
  const expected = csvReadings(base + '.csv');
  const mismatches = expected.filter((reading) => {
    const row = shown.find((r) => r.sensor === reading.sensor && r.name === reading.name);
    return !row || !sameNumber(row.min, reading.min) || !sameNumber(row.max, reading.max) ||
      !sameNumber(row.last, reading.last);
  });
  check(expected.length >= 15 && mismatches.length === 0,
    'demo: the summary shows the readings of all ' + expected.length + ' CSV columns ' +
    JSON.stringify(mismatches));
  const json = JSON.parse(fs.readFileSync(base + '.json', 'utf8'));
  const jsonMismatches = [];
  let jsonItems = 0;
  for (const sensor of json.sensors) {
    for (const item of sensor.items) {
      const row = shown.find((r) => r.sensor === sensor.slot + ' ' + sensor.type_name.trim() &&
        r.name === item.name);
      if (!row) continue;
      ++jsonItems;
      for (const key of ['min', 'max', 'last']) {
        if (!sameAsJson(row[key], item[key])) jsonMismatches.push([sensor.slot, item.name, key]);
      }
    }
  }
  const factsShown = await page.$$eval('#flight-facts tr[data-fact]',
    (rows) => rows.map((row) => [row.dataset.fact, row.cells[1].textContent.split(' ')[0]]));
  check(Object.keys(json.flight).length >= 5 &&
    Object.entries(json.flight).every(([key, value]) =>
      factsShown.some(([shownKey, text]) => shownKey === key && sameAsJson(text, value))),
  'demo: the flight facts equal --json ' + JSON.stringify(factsShown));
  check(jsonItems >= 15 && jsonMismatches.length === 0,
    'demo: the summary equals --json for ' + jsonItems + ' items ' + JSON.stringify(jsonMismatches));
  check(shown.some((row) => row.unit === '\u00B0C'),
    'demo: temperature units read as °C, as --summary writes them');
  check(await page.$eval('#flight-facts', (t) => t.textContent.includes('2400')),
    'demo: the flight facts show the record count');

  const legend = await page.$$eval('.chart-group[data-group="voltage"] .u-legend .u-label',
    (labels) => labels.map((l) => l.textContent));
  check(legend.includes('BATTERY [V]') || legend.some((l) => l.endsWith('BATTERY [V]')),
    'demo: legends name units ' + JSON.stringify(legend));

  const track = await page.$$eval('#track polyline.track-path', (lines) =>
    lines.reduce((n, line) => n + line.getAttribute('points').split(' ').length, 0));
  check(track > 1000, 'demo: the track is drawn (' + track + ' points)');
  check((await page.$$('#track .start-marker, #track .north-arrow')).length === 2,
    'demo: the track has a start marker and a north arrow');
  check(await page.$eval('#track', (t) => t.textContent.includes(' m')), 'demo: scale bar in metres');

  check((await page.$$eval('.links a', (links) => links.map((a) => a.getAttribute('href'))))
    .join() === 'demo.gpx,demo.kml', 'demo: links to the GPX and KML files');
  await checkCursor(page);
  await checkLegendKeys(page);
  await checkPrintedCharts(page);
  const screenshot = path.join(options.build, chosen.screenshot);
  await saveScreenshot(page, screenshot);
  console.log('saved ' + screenshot);
  await checkZoom(page);
  console.log('demo: ready after ' + Math.round(await readyTime(page)) + ' ms');
  await page.close();
  return base + '.html';
}

const readyTime = (page) => page.evaluate(() =>
  performance.getEntriesByName('trelvox-ready')[0].startTime);

// The whole page in one picture, with the cursor half-way through the flight and its dot on the
// track: the window is made as tall as the page, so the cursor stays where it is.
async function saveScreenshot(page, file) {
  const height = await page.evaluate(() => document.documentElement.scrollHeight);
  await page.setViewport({ width: 1280, height });
  await new Promise((resolve) => setTimeout(resolve, 200));
  const box = await overlayBox(page, 'height');
  await page.mouse.move(box.x + box.width * 0.55, box.y + box.height / 2);
  await page.screenshot({ path: file });
  await page.setViewport({ width: 1280, height: 900 });
}

async function overlayBox(page, group) {
  const overlay = await page.$(`.chart-group[data-group="${group}"] .u-over`);
  await overlay.evaluate((node) => node.scrollIntoView({ block: 'center' }));
  return overlay.boundingBox();
}

// Moving over one chart moves the dot along the track.
async function checkCursor(page) {
  const box = await overlayBox(page, 'height');
  const dot = () => page.$eval('#track .cursor-dot', (c) =>
    [c.getAttribute('visibility'), c.getAttribute('cx'), c.getAttribute('cy')].join());
  await page.mouse.move(box.x + box.width * 0.3, box.y + box.height / 2);
  const first = await dot();
  await page.mouse.move(box.x + box.width * 0.6, box.y + box.height / 2);
  const second = await dot();
  check(first.startsWith('visible') && second.startsWith('visible') && first !== second,
    'demo: the chart cursor moves the dot along the track ' + first + ' -> ' + second);
}

// Drags across a chart from one fraction of its width to another, zooming into that time span.
async function zoomInto(page, group, from, to) {
  const box = await overlayBox(page, group);
  await page.mouse.move(box.x + box.width * from, box.y + box.height / 2);
  await page.mouse.down();
  await page.mouse.move(box.x + box.width * to, box.y + box.height / 2, { steps: 5 });
  await page.mouse.up();
  await new Promise((resolve) => setTimeout(resolve, 100));
}

// Zooming one chart zooms the others.
async function checkZoom(page) {
  const otherChart = () => page.$eval('.chart-group[data-group="voltage"] canvas',
    (canvas) => canvas.toDataURL());
  const before = await otherChart();
  await zoomInto(page, 'height', 0.2, 0.4);
  check(before !== await otherChart(), 'demo: zooming one chart zooms the others');
}

// A legend entry looks like a button and works as one from the keyboard: Tab reaches it, Enter
// and Space switch its series off and on again, and the entry says which.
async function checkLegendKeys(page) {
  const entry = '.chart-group[data-group="voltage"] .u-series:nth-child(2)';
  const state = () => page.$eval(entry, (row) => [row.classList.contains('u-off'),
    row.querySelector('th').getAttribute('aria-pressed')].join());
  const before = await state();
  await page.focus(entry + ' th');
  const ring = await page.$eval(entry + ' th', (th) => th.matches(':focus-visible') &&
    getComputedStyle(th).outlineStyle !== 'none');
  await page.keyboard.press('Enter');
  const off = await state();
  await page.keyboard.press(' ');
  await page.$eval(entry + ' th', (th) => th.blur());  // no focus ring in the saved picture
  check(before === 'false,true' && off === 'true,false' && await state() === before && ring,
    'demo: Enter and Space switch a legend entry off and on, focus shows ' +
    [before, off, await state(), ring].join(' -> '));
}

// Printed on A4 paper, every chart fits its panel as laid out for print (the paper is narrower
// than the window), and afterwards the charts fit the window again.
async function checkPrintedCharts(page) {
  await page.evaluate(() => {
    window.printedCharts = [];
    window.matchMedia('print').addEventListener('change', (event) => {
      if (!event.matches) return;
      for (const chart of document.querySelectorAll('section.chart-group .chart')) {
        window.printedCharts.push([chart.querySelector('.uplot').offsetWidth, chart.clientWidth]);
      }
    });
  });
  await page.pdf({ format: 'A4' });
  const printed = await page.evaluate(() => window.printedCharts);
  check(printed.length === DEMO_GROUPS.length - 1 && printed.every(([chart, box]) => chart <= box),
    'demo: printed, every chart fits its panel ' + JSON.stringify(printed));
  await new Promise((resolve) => setTimeout(resolve, 200));
  const after = await chartsBeyondTheirPanel(page);
  check(after.length === 0, 'demo: after printing the charts fit the window ' +
    JSON.stringify(after));
}

// The charts (plot and legend) that reach past their panel's inner edge, as [group, pixels].
const chartsBeyondTheirPanel = (page) => page.$$eval('.chart-group .uplot', (plots) =>
  plots.map((plot) => [plot.closest('.chart-group').dataset.group,
    plot.getBoundingClientRect().right - plot.closest('.panel').getBoundingClientRect().right + 16])
    .filter(([, beyond]) => beyond > 0.5));

// The watchers themselves: the demo's page with a load from the network and one from beside the
// page added must not pass as quiet, with its Content-Security-Policy and without it.
async function checkLoadsAreCaught(demoPage) {
  const loads = ['http://127.0.0.1:8123/leak.png', 'leak-beside.png'];
  const withLoads = fs.readFileSync(demoPage, 'utf8')
    .replace('</body>', loads.map((src) => '<img src="' + src + '">').join('') + '</body>');
  const policy = /<meta http-equiv="Content-Security-Policy"[^>]*>/;
  check(policy.test(withLoads), 'loads: the page has a Content-Security-Policy');
  const seeable = chosen.seesFileLoads ? loads : loads.filter((load) => load.startsWith('http:'));
  for (const [name, html] of [['loads the page blocks', withLoads],
    ['loads without the page\'s policy', withLoads.replace(policy, '')]]) {
    const file = path.join(work, 'loads.html');
    fs.writeFileSync(file, html);
    const { page, seen } = await open(file);
    const said = JSON.stringify([...seen.errors, ...seen.requests]);
    check(seeable.every((load) => said.includes(load)), name + ': seen as ' + said);
    await page.close();
  }
}

// --- Other logs ---------------------------------------------------------------------------

async function checkWithoutPositions() {
  const base = demoWithout('no-gps', [7]);
  const { page, seen } = await open(writeReport(base, base + '.html'));
  checkQuiet('no positions', seen);
  check((await page.$('#track')) === null, 'no positions: no track');
  const groups = await chartGroups(page);
  check(groups.includes('height') && !groups.includes('speed'),
    'no positions: the charts it has ' + JSON.stringify(groups));
  await checkChartsDrawn('no positions', page);
  await page.close();
}

async function checkWithoutSensors() {
  const base = demoWithout('receiver-only', [...Array(256).keys()].filter((id) => id !== 0));
  const { page, seen } = await open(writeReport(base, base + '.html'));
  checkQuiet('receiver only', seen);
  const sensors = new Set((await summaryRows(page)).map((row) => row.sensor));
  check(sensors.size === 1 && sensors.has('0 RECEIVER'), 'receiver only: summary of the receiver');
  check((await page.$('#track')) === null, 'receiver only: no track');
  await checkChartsDrawn('receiver only', page);
  await page.close();
}

async function checkWithoutRecords() {
  const base = demoCopy('empty');
  fs.writeFileSync(base + '.KLD', Buffer.alloc(RECORD_SIZE - 1));
  const { page, seen } = await open(writeReport(base, base + '.html'));
  checkQuiet('no records', seen);
  check((await page.$$('.chart-group')).length === 0, 'no records: no charts');
  check(await page.$eval('#summary-table', (t) => t.textContent.includes('---')),
    'no records: readings show ---');
  await page.close();
}

// A log of one record has no line to draw between readings: each chart still shows them.
async function checkOneRecord() {
  const base = demoCopy('one-record');
  fs.writeFileSync(base + '.KLD', fs.readFileSync(base + '.KLD').subarray(0, RECORD_SIZE));
  const { page, seen } = await open(writeReport(base, base + '.html'));
  checkQuiet('one record', seen);
  const counts = await colouredPixelsPerChart(page);
  check(counts.length > 0 && counts.every((n) => n > 0),
    'one record: every chart shows its readings ' + JSON.stringify(counts));
  const { runs, first, last } = await inkBeside(page, 'height', 'below');
  check(runs.length === 1 && Math.abs(runs[0][0] + runs[0][1] - first - last) <= 4,
    'one record: one time label, under the middle of the chart ' + JSON.stringify(runs));
  await page.close();
}

// A log whose duration ends in 950 ms: the page gives the duration --summary gives, rounded to the
// tenth as there (4:00.0, not 3:59.9), and its header the same whole seconds.
async function checkDurationAsSummary() {
  const base = demoEdited('duration', (info, data) => {
    const last = data.length / RECORD_SIZE - 1;
    data.writeUInt32BE(data.readUInt32BE((last - 1) * RECORD_SIZE) + 150, last * RECORD_SIZE);
  });
  const summary = execFileSync(options.trelvox, ['--force', '--no-csv', '--summary', '--report',
    '--lang', 'en', base + '.KLD'], { encoding: 'utf8' });
  const { page, seen } = await open(base + '.html');
  checkQuiet('duration', seen);
  const shown = await page.evaluate(() => ({
    table: [...document.querySelectorAll('#flight-facts tr')]
      .find((row) => row.querySelector('th').textContent === 'Duration')
      .querySelector('td').textContent,
    header: document.querySelector('header dl.facts').textContent,
  }));
  check(summary.includes('  Duration: 0:04:00.0\n') && shown.table === '4:00.0' &&
    shown.header.includes('Duration4:00'),
  'duration: the page shows the summary\'s duration ' + JSON.stringify(shown.table));
  await page.close();
}

// The demo with a turbine controller in slots 20 to 35 whose set speed runs at over six million
// rpm: every axis number shows whole, beside its axis title, also when zoomed, and all plot areas
// keep one left edge and width.
async function checkLargeValues() {
  const base = demoEdited('large-values', (info, data) => {
    for (let slot = 20; slot < 36; slot++) info.set([JETCAT, 20], SLOT_MAP_OFFSET + 2 * slot);
    for (let record = 0; record + RECORD_SIZE <= data.length; record += RECORD_SIZE) {
      const word = (k) => record + SLOT_WORDS_OFFSET + 2 * (20 + k);
      data.writeUInt16BE(0x4000 | (record / RECORD_SIZE), word(0));  // valid; rotation
      data.writeUInt16BE(0xFFFF - record / RECORD_SIZE, word(3));  // set speed, in 100 rpm
    }
  });
  const { page, seen } = await open(writeReport(base, base + '.html'));
  checkQuiet('large values', seen);
  await page.$eval('details.chart-group', (details) => { details.open = true; });
  for (const when of ['', ', zoomed']) {
    const cut = [];
    for (const group of await chartGroups(page)) {
      const left = await inkBeside(page, group, 'left');
      const right = await inkBeside(page, group, 'right');
      const edges = [left.runs[0]?.[0] === left.first, right.runs.at(-1)?.[1] === right.last];
      if (edges.includes(true)) cut.push(group);
    }
    check(cut.length === 0, 'large values' + when + ': no axis number cut at a chart\'s edge ' +
      JSON.stringify(cut));
    const { runs } = await inkBeside(page, 'rotation', 'left');
    check(runs.length === 3, 'large values' + when + ': the rpm title, numbers and ticks stand ' +
      'apart ' + JSON.stringify(runs));
    await zoomInto(page, 'rotation', 0.5, 0.52);
  }
  const plots = await page.$$eval('.u-over', (overs) => overs.map((over) => {
    const box = over.getBoundingClientRect();
    return box.left + ',' + box.width;
  }));
  check(plots.length === DEMO_GROUPS.length && new Set(plots).size === 1,
    'large values: all plot areas share one left edge and width ' + JSON.stringify(plots));
  await page.close();
}

// Two sensors of one type, the demo's voltage sensor copied to slots 20 and 21: the legends tell
// their series apart.
async function checkTwinSensors() {
  const base = demoEdited('twins', (info, data) => {
    for (const [from, to] of [[1, 20], [2, 21]]) {
      info.set([info[SLOT_MAP_OFFSET + 2 * from], 20], SLOT_MAP_OFFSET + 2 * to);
      for (let record = 0; record + RECORD_SIZE <= data.length; record += RECORD_SIZE) {
        const word = (slot) => record + SLOT_WORDS_OFFSET + 2 * slot;
        data.copy(data, word(to), word(from), word(from) + 2);
      }
    }
  });
  const { page, seen } = await open(writeReport(base, base + '.html'));
  checkQuiet('twins', seen);
  const legend = await page.$$eval('.chart-group[data-group="voltage"] .u-legend .u-label',
    (labels) => labels.map((l) => l.textContent));
  check(legend.length >= 5 && new Set(legend).size === legend.length,
    'twins: every legend entry names one series ' + JSON.stringify(legend));
  await page.close();
}

async function checkLanguages() {
  const base = demoCopy('languages');
  for (const [lang, smallest, channels, records] of [['en', 'Smallest', 'Channels', 'Records'],
    ['de', 'Kleinster', 'Kanäle', 'Datensätze'], ['ja', '最小', 'チャンネル', 'レコード数']]) {
    const { page, seen } = await open(writeReport(base, base + '-' + lang + '.html',
      ['--lang', lang]));
    checkQuiet(lang, seen);
    const headings = await page.$$eval('th, h2', (nodes) => nodes.map((n) => n.textContent));
    check(await page.$eval('html', (h) => h.lang) === lang && headings.includes(smallest) &&
      headings.includes(channels), lang + ': page texts in its language');
    // The record count in the header's facts and in the summary's flight facts.
    const counts = await page.$$eval('.facts div, #flight-facts tr', (rows, term) => rows
      .filter((row) => row.firstChild.textContent === term).map((row) => row.lastChild.textContent),
    records);
    check(counts.length === 2 && counts.every((count) => count === '2400'),
      lang + ': the header writes the record count as the summary does ' + JSON.stringify(counts));
    await page.close();
  }
}

// The demo with a gap of 3,500 s in the middle of its records: a flight of over an hour, whose
// duration the header and the summary write in hours, minutes and seconds.
async function checkOverAnHour() {
  const base = demoEdited('over-an-hour', (info, data) => {
    for (let record = 1200 * RECORD_SIZE; record + RECORD_SIZE <= data.length;
      record += RECORD_SIZE) {
      data.writeUInt32BE(data.readUInt32BE(record) + 3500000, record);
    }
  });
  const { page, seen } = await open(writeReport(base, base + '.html'));
  checkQuiet('over an hour', seen);
  const durations = await page.$$eval('.facts div, #flight-facts tr', (rows) => rows
    .filter((row) => row.firstChild.textContent === 'Duration')
    .map((row) => row.lastChild.textContent));
  check(JSON.stringify(durations) === '["1:02:19","1:02:19.9"]',
    'over an hour: the duration in hours, minutes and seconds ' + JSON.stringify(durations));
  await page.close();
}

async function checkMarkupName() {
  const name = '<img src=x onerror=alert(1)>';
  const base = demoCopy(name);
  const { page, seen } = await open(writeReport(base, path.join(work, 'markup-name.html')));
  checkQuiet('markup name', seen);
  check(seen.dialogs.length === 0, 'markup name: no script of the name runs');
  check((await page.$$('img')).length === 0, 'markup name: no image element');
  check(await page.$eval('h1', (h) => h.textContent) === name + '.KLD',
    'markup name: the name shows as text');
  check((await page.title()).startsWith(name + '.KLD'), 'markup name: the title shows the name');
  await page.close();
}

// A log whose name is not UTF-8 (Latin-1, as an old memory card may hold it): the page's links
// still lead to the track files written beside it.
async function checkNameNotUtf8() {
  const folder = path.join(work, 'latin-1');
  fs.mkdirSync(folder);
  const named = (extension) => Buffer.concat([Buffer.from(folder + '/'),
    Buffer.from('Fl\xe4che', 'latin1'), Buffer.from(extension)]);
  for (const extension of ['.KLD', '.KLI']) {
    fs.copyFileSync(path.join(options.source, 'examples/demo' + extension), named(extension));
  }
  execFileSync(options.trelvox, ['--no-csv', '--report', '--gpx', '--kml', folder]);
  // Opened under a name the test can spell; its links are relative to the folder.
  fs.copyFileSync(named('.html'), path.join(folder, 'page.html'));
  const { page, seen } = await open(path.join(folder, 'page.html'));
  checkQuiet('name not UTF-8', seen);
  const addresses = await page.$$eval('.links a', (links) => links.map((a) => a.href));
  // The file each link leads to, its name byte for byte.
  const led = addresses.map((address) => Buffer.from(unescape(new URL(address).pathname), 'latin1'));
  check(led.length === 2 && led.every((file) => fs.existsSync(file)),
    'name not UTF-8: the links lead to the track files ' + JSON.stringify(addresses));
  await page.close();
}

// Whether the page fits a window as narrow as a phone's: nothing pushes it sideways, and every
// chart with its legend stays inside its panel.
async function checkFits(name, page) {
  const sideways = await page.evaluate(() =>
    document.documentElement.scrollWidth - document.documentElement.clientWidth);
  const beyond = await chartsBeyondTheirPanel(page);
  check(sideways === 0 && beyond.length === 0, name + ': the page fits the window (' + sideways +
    ' pixels sideways, charts beyond their panel ' + JSON.stringify(beyond) + ')');
}

// A phone, 360 and 320 pixels wide, in every language (German's long words, Japanese), and a
// window narrowed to a phone's width after the page was drawn wide.
async function checkPhone() {
  for (const lang of ['en', 'de', 'ja']) {
    const base = demoCopy('phone-' + lang);
    execFileSync(options.trelvox, ['--force', '--no-csv', '--report', '--lang', lang, base + '.KLD']);
    const file = base + '.html';
    for (const width of [360, 320]) {
      const { page, seen } = await open(file, width);
      checkQuiet(lang + ' at ' + width + ' pixels', seen);
      await checkFits(lang + ' at ' + width + ' pixels', page);
      await page.close();
    }
  }
  const { page } = await open(path.join(work, 'phone-de.html'));
  await narrow(page, 360);
  await checkFits('de, window narrowed to 360 pixels', page);
  await page.close();
}

async function narrow(page, width) {
  await page.setViewport({ width, height: 900 });
  await new Promise((resolve) => setTimeout(resolve, 300));
}

// A one-hour log (36,000 records) with every decoder: the time until the page is ready.
async function checkOneHourEveryDecoder() {
  if (!options['make-bench-log'] || !fs.existsSync(options['make-bench-log'])) {
    console.log('skipped: one-hour log (no make_bench_log in this build)');
    return;
  }
  const base = path.join(work, 'every-decoder');
  execFileSync(options['make-bench-log'], [base, '36000']);
  const file = writeReport(base, base + '.html');
  const { page, seen } = await open(file);
  checkQuiet('one hour, every decoder', seen);
  const ready = await readyTime(page);
  const megabytes = fs.statSync(file).size / 1e6;
  console.log(`one hour, every decoder: page of ${megabytes.toFixed(1)} MB ready after ` +
    `${Math.round(ready)} ms`);
  // Two seconds are the aim; the margin keeps a busy shared machine from failing the test.
  check(ready < 4000, 'one hour, every decoder: page ready in time (' + Math.round(ready) + ' ms)');
  await checkChartsDrawn('one hour, every decoder', page);
  // Its legends of many long names, the channels' among them, wrap inside a phone's width.
  await page.$eval('details.chart-group', (details) => { details.open = true; });
  await narrow(page, 360);
  await checkFits('one hour, every decoder, at 360 pixels', page);
  await page.close();
}

try {
  await checkLoadsAreCaught(await checkDemo());
  await checkWithoutPositions();
  await checkWithoutSensors();
  await checkWithoutRecords();
  await checkHealth();
  await checkGermanNumbers();
  await checkOneRecord();
  await checkDurationAsSummary();
  await checkLargeValues();
  await checkTwinSensors();
  await checkLanguages();
  await checkPhone();
  await checkOverAnHour();
  await checkMarkupName();
  await checkNameNotUtf8();
  await checkOneHourEveryDecoder();
} finally {
  await browser.close();
  fs.rmSync(work, { recursive: true, force: true });
  fs.rmSync(scratch, { recursive: true, force: true });
}
if (failures.length > 0) {
  console.log(failures.length + ' check(s) failed');
  process.exit(1);
}
console.log('all report checks passed');
