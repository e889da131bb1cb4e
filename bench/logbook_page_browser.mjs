// How soon headless Chromium shows a logbook page: the medians of five loads, from the start of
// navigation to the page's ready mark (all but the table's later rows and the trend charts, which
// come as they near the window or while the page is idle), to the first frame drawn after it, and
// to its marks for every row and every chart.   node logbook_page_browser.mjs PAGE.html
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
const ready = [];
const shownFirst = [];
const drawn = [];
let shown = {};
for (let run = 0; run < 5; ++run) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 900 });
  // Noted in the page itself: by the time a question from here is answered, the page has gone on
  // to its later rows and charts. The second frame callback after the mark runs once the first
  // frame with the marked page has been drawn.
  await page.evaluateOnNewDocument(() => {
    new MutationObserver((_, observer) => {
      if (document.body?.dataset.ready !== 'true') return;
      observer.disconnect();
      const readyAt = performance.now();
      requestAnimationFrame(() => requestAnimationFrame(() => {
        window.benchShown = { readyAt, shownAt: performance.now() };
      }));
    }).observe(document, { subtree: true, attributes: true, attributeFilter: ['data-ready'] });
  });
  await page.goto(pathToFileURL(process.argv[2]).href, { waitUntil: 'domcontentloaded' });
  await page.waitForFunction(() => window.benchShown, { timeout: 60000 });
  const marks = await page.evaluate(() => window.benchShown);
  ready.push(marks.readyAt);
  shownFirst.push(marks.shownAt);
  await page.waitForSelector('body[data-charts="drawn"][data-table="complete"]',
    { timeout: 60000 });
  drawn.push(await page.evaluate(() => performance.now()));
  shown = await page.evaluate(() => ({
    rows: document.querySelectorAll('table.logbook tr[data-log]').length,
    charts: document.querySelectorAll('.trend canvas').length,
  }));
  await page.close();
}
await browser.close();
fs.rmSync(scratch, { recursive: true, force: true });
const median = (times) => Math.round(times.sort((a, b) => a - b)[2]);
console.log(`Chromium: first screen ready ${median(ready)} ms, drawn ${median(shownFirst)} ms, ` +
  `every row and chart ` +
  `${median(drawn)} ms ` +
  `after navigation (medians of 5); ${shown.rows} rows, ${shown.charts} charts`);
