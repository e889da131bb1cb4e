// How soon headless Chromium shows a logbook page's table and charts: the median of five loads,
// from the start of navigation to the page's ready mark, with the table's rows and the charts
// counted.   node logbook_page_browser.mjs PAGE.html
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import fs from 'node:fs';
import { fileURLToPath, pathToFileURL } from 'node:url';

import { BROWSERS } from '../tests/report/browsers.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const puppeteer = createRequire(path.join(here, '../package.json'))('puppeteer-core');
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'trelvox-bench-chromium-'));
const browser = await puppeteer.launch(BROWSERS.chromium.launchOptions(scratch));
const times = [];
let shown = {};
for (let run = 0; run < 5; ++run) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 900 });
  await page.goto(pathToFileURL(process.argv[2]).href, { waitUntil: 'domcontentloaded' });
  await page.waitForSelector('body[data-ready="true"]', { timeout: 60000 });
  times.push(await page.evaluate(() => performance.now()));
  shown = await page.evaluate(() => ({
    rows: document.querySelectorAll('table.logbook tr[data-log]').length,
    charts: document.querySelectorAll('.trend canvas').length,
  }));
  await page.close();
}
await browser.close();
fs.rmSync(scratch, { recursive: true, force: true });
times.sort((a, b) => a - b);
console.log(`Chromium: ready ${Math.round(times[2])} ms after navigation (median of 5), ` +
  `${shown.rows} rows, ${shown.charts} charts`);
