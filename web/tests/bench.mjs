// The page's figures in headless Chromium at 1920 × 1080: the show in real
// time (slot 12 after the first rose against the show's 55,780 ms of waits,
// the longest frame of the scatter), the file's size and the time from
// opening the file to the editor shown.
//   node bench.mjs HTML
import { statSync } from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { launch, openPage, until } from './browser.mjs';

const WAITS_TO_SLOT_12 = 55780;
const [html] = process.argv.slice(2);
if (!html) {
  console.error('usage: node bench.mjs HTML');
  process.exit(2);
}
const url = pathToFileURL(path.resolve(html)).href;
const screen = { width: 1920, height: 1080 };
const browser = await launch();

console.log(`bench: the file: ${statSync(html).size} bytes`);

const opened = [];
for (let i = 0; i < 5; i++) {
  const { page } = await openPage(browser, url, screen);
  await page.waitForFunction(() => performance.getEntriesByName('view-shown').length > 0);
  opened.push(await page.evaluate(() => performance.getEntriesByName('view-shown')[0].startTime));
  await page.close();
}
opened.sort((a, b) => a - b);
console.log(`bench: opening the file to the editor shown: ${opened.map((t) => t.toFixed(0)).join(', ')} ms (5 loads)`);

const { page } = await openPage(browser, url, { ...screen, hooks: { frames: true } });
await page.click('#start');
await until(page, null, 120000);
const rec = await page.evaluate(() => ShowPage.record);
const slot12 = rec.stamps.slot12 - rec.stamps.firstRose;
console.log(`bench: slot 12 after the first rose: ${slot12.toFixed(0)} ms ` +
  `(${slot12 - WAITS_TO_SLOT_12 >= 0 ? '+' : ''}${(slot12 - WAITS_TO_SLOT_12).toFixed(0)} against the waits' ${WAITS_TO_SLOT_12})`);
console.log(`bench: first rose to the end: ${(rec.stamps.ended - rec.stamps.firstRose).toFixed(0)} ms (waits 60,780)`);
console.log(`bench: the scatter's longest frame: ${rec.frames.scatterLongest.toFixed(1)} ms of ${rec.frames.scatterCount} frames`);
await browser.close();
