// The page's tests in Debian's Chromium, headless, with the network off.
//   node page_tests.mjs HTML SHOW_OPS RESULTS_FILE SHOTS_DIR
// Each test adds "pass NAME" or "fail NAME: why" to RESULTS_FILE.
import assert from 'node:assert/strict';
import { appendFileSync, mkdirSync, readFileSync, statSync } from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';
import { fileURLToPath, pathToFileURL } from 'node:url';
import {
  desktopLog, fastHooks, firstDifference, isMagenta, isRoseRed, launch, openPage, record,
  screenshotColours, until, visible,
} from './browser.mjs';

const [html, showOps, results, shots] = process.argv.slice(2);
if (!shots) {
  console.error('usage: node page_tests.mjs HTML SHOW_OPS RESULTS_FILE SHOTS_DIR');
  process.exit(2);
}
mkdirSync(shots, { recursive: true });
const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const url = pathToFileURL(path.resolve(html)).href;
const ShowLink = createRequire(import.meta.url)('../page/link.js');

// The default store's texts, under the programs' file names.
function defaultTexts() {
  const names = [...readFileSync(path.join(root, 'store/slot_names.h'), 'utf8').matchAll(/"数据库\/([^"]+)"/g)].map((m) => m[1]);
  assert.equal(names.length, 13);
  const gbk = new TextDecoder('gb18030');
  return names.map((n) => gbk.decode(readFileSync(path.join(root, 'store/default/数据库', n))));
}

const ROSE_HEAD = { x: 48, y: 30 };  // a point of the rose's bloom, in its 96 × 96

const roseLines = (log) => log.filter((l) => l.startsWith('rose ')).map((l) => l.split(' ').slice(1).map(Number));

// Every rose's bloom shows rose-red near its point, and every written line
// of the given phases shows magenta in its box.
async function checkScreenshot(state, name, roses, phases) {
  const { page } = state;
  const png = await page.screenshot({ path: path.join(shots, `${name}.png`) });
  const rec = await record(page);
  const k = rec.screen.cssPerPixel;
  // Blooms past the screen's edge (scattered roses reach out of it) are not
  // looked for.
  const blooms = roses
    .map(([x, y]) => [x + ROSE_HEAD.x, y + ROSE_HEAD.y])
    .filter(([x, y]) => x >= 0 && y >= 0 && x < rec.screen.width && y < rec.screen.height)
    .map(([x, y]) => [x * k, y * k]);
  const colours = await screenshotColours(page, png, blooms, 3);
  const bare = blooms.filter((_, i) => !colours[i].some(isRoseRed));
  assert.equal(bare.length, 0, `${name}: no rose at ${bare.length} of ${blooms.length} points, first at CSS ${bare[0]}`);

  // Lines scrolled out at the top are gone, as on the desktop.
  const lines = rec.lines.filter((l) => phases.includes(l.phase) && l.text.trim() !== '' && l.y >= 0);
  assert.ok(lines.length > 0, `${name}: no lines written`);
  for (const line of lines) {
    const grid = [];
    for (let y = line.y + 4; y < line.y + line.height - 4; y += 4) {
      for (let x = line.x + 2; x < line.x + line.width - 2; x += 4) grid.push([x * k, y * k]);
    }
    const seen = (await screenshotColours(page, png, grid)).flat().filter(isMagenta).length;
    assert.ok(seen >= grid.length * 0.05, `${name}: line ${JSON.stringify(line.text)} shows ${seen} magenta of ${grid.length}`);
  }
}

async function sameAsDesktop(page, texts) {
  const rec = await record(page);
  const desktop = desktopLog(showOps, rec.screen.width, rec.screen.height, texts);
  const difference = firstDifference(rec.log, desktop);
  assert.equal(difference, null, `the page's stage calls part from the desktop's at ${difference}`);
}

const tests = [];
const test = (name, fn) => tests.push({ name, fn });
const browser = await launch();

test('opens from file:// with the network off, to the editor with the default texts', async () => {
  const state = await openPage(browser, url);
  assert.ok(await visible(state.page, '#editor'));
  assert.ok(!(await visible(state.page, '#welcome')) && !(await visible(state.page, '#stage')));
  const boxes = await state.page.$$eval('#rows input', (all) => all.map((b) => b.value));
  assert.deepEqual(boxes, defaultTexts());
  await state.page.screenshot({ path: path.join(shots, 'editor.png') });
  assert.deepEqual(state.blocked, [], 'requests beyond the file');
  assert.deepEqual(state.errors, []);
  await state.page.close();
});

test('the page is one file of at most 1.5 MB', async () => {
  const size = statSync(html).size;
  assert.ok(size <= 1500000, `${size} bytes`);
});

const shared = [...defaultTexts()];
shared[0] = '♥ 사랑해요 😀';
shared[5] = '한국어와 中文 🌹';
shared[12] = '"引号" & <b>不是标记</b>';

test('a copied link with emoji and Hangul opens to a start screen, and the show writes its texts as the desktop would', async () => {
  const editor = await openPage(browser, url);
  for (const slot of [0, 5, 12]) {
    const box = (await editor.page.$$('#rows input'))[slot];
    await box.click({ clickCount: 3 });
    await editor.page.keyboard.press('Backspace');
    await box.type(shared[slot]);
  }
  await editor.page.click('#bg-colour');
  await editor.page.$eval('#colour', (c) => { c.value = '#203060'; });
  await editor.page.click('#copy');
  const link = await editor.page.$eval('#link', (f) => f.value);
  await editor.page.close();
  assert.ok(link.startsWith(`${url}#show=`), link);

  const state = await openPage(browser, link, { hooks: fastHooks({ holdAt: [2, 4, 6] }) });
  const { page } = state;
  assert.ok(await visible(page, '#welcome') && !(await visible(page, '#editor')));
  assert.equal(await page.$$eval('#welcome button', (b) => b.length), 1);
  await page.click('#welcome-start');

  // The music plays from the show's start.
  await page.waitForFunction(() => !ShowMusic.element().paused && ShowMusic.element().currentTime > 0.3, { timeout: 10000 });

  await until(page, 2);
  let log = (await record(page)).log;
  await checkScreenshot(state, 'show-phase1', roseLines(log).slice(0, 108), [1]);
  await page.evaluate(() => ShowPage.release());
  await until(page, 4);
  log = (await record(page)).log;
  await checkScreenshot(state, 'show-phase3', roseLines(log).slice(-30), [3]);
  await page.evaluate(() => ShowPage.release());
  await until(page, 6);
  log = (await record(page)).log;
  await checkScreenshot(state, 'show-end', roseLines(log).slice(-108), [4, 5]);
  await page.evaluate(() => ShowPage.release());
  await until(page, null);

  const written = (await record(page)).log.filter((l) => l.startsWith('write_lines ')).map((l) => JSON.parse(l.slice(12)));
  assert.deepEqual(written.filter((t) => t.trim() !== ''), shared.filter((t) => t.trim() !== ''));
  await sameAsDesktop(page, shared);
  assert.equal(await page.$eval('#stage', (s) => getComputedStyle(s).backgroundColor), 'rgb(32, 48, 96)');
  assert.ok(!(await page.evaluate(() => ShowMusic.element().paused)), 'the music stopped');
  assert.deepEqual(state.blocked, []);
  assert.deepEqual(state.errors, []);
  await page.close();
});

test('a text of many lines scrolls the whole show up, roses too, as the desktop canvas does', async () => {
  const texts = [...defaultTexts()];
  texts[12] = Array.from({ length: 12 }, (_, i) => `第${i + 1}行 ♥`).join('\r\n');
  const state = await openPage(browser, `${url}#${ShowLink.encode(texts, 'sky')}`, { hooks: fastHooks({ holdAt: [6] }) });
  const { page } = state;
  await page.click('#welcome-start');
  await until(page, 6);
  const rec = await record(page);
  assert.ok(rec.scrolled > 0, 'no scroll');
  const last = rec.lines[rec.lines.length - 1];
  assert.equal(last.y + last.height, rec.screen.height - 2, 'the last line ends 2 px above the bottom');
  // The outline was drawn before slot 12 and has moved up with the text.
  const shifted = roseLines(rec.log).slice(-108).map(([x, y]) => [x, y - rec.scrolled]);
  await checkScreenshot(state, 'show-scrolled', shifted, [5]);
  await page.evaluate(() => ShowPage.release());
  await until(page, null);
  await sameAsDesktop(page, texts);
  // The mute control silences the music and lies outside the show.
  await page.click('#mute');
  assert.ok(await page.evaluate(() => ShowMusic.element().muted));
  const [bar, show] = await Promise.all(['#bar', '#show'].map((q) => page.$eval(q, (e) => e.getBoundingClientRect().toJSON())));
  assert.ok(bar.top >= show.bottom - 0.5, `the bar ${JSON.stringify(bar)} over the show ${JSON.stringify(show)}`);
  await page.close();
});

test('a damaged link opens the editor, never a show of its own', async () => {
  for (const fragment of ['#show=%%%', '#show=eyJ2IjoxfQ', '#show=' + 'A'.repeat(300000), '#other']) {
    const state = await openPage(browser, url + fragment);
    assert.ok(await visible(state.page, '#editor'), fragment.slice(0, 20));
    assert.deepEqual(state.errors, []);
    await state.page.close();
  }
});

const screens = [
  { width: 390, height: 844, scale: 3, mobile: true },
  { width: 844, height: 390, scale: 3, mobile: true },
  { width: 1366, height: 768 },
  { width: 1920, height: 1080 },
];
for (const s of screens) {
  test(`at ${s.width} × ${s.height} every line is wholly on the screen, its letters at least 16 CSS px tall, the show as the desktop's`, async () => {
    const state = await openPage(browser, url, { ...s, hooks: fastHooks() });
    await state.page.click('#start');
    await until(state.page, null);
    const rec = await record(state.page);
    const k = rec.screen.cssPerPixel;
    const canvas = await state.page.$eval('#show', (c) => c.getBoundingClientRect().toJSON());
    const near = (a, b) => Math.abs(a - b) < 1;
    assert.ok(near(canvas.left, 0) && near(canvas.top, 0) && near(canvas.width, s.width) && near(canvas.height, s.height - 40),
      `the show's area ${JSON.stringify(canvas)}`);
    const lines = rec.lines.filter((l) => l.text.trim() !== '');
    assert.equal(lines.length, 13);
    for (const l of lines) {
      const box = `${JSON.stringify(l.text)} at ${l.x},${l.drawnY} size ${Math.round(l.width)}×${l.height} on ${rec.screen.width}×${rec.screen.height}`;
      assert.ok(l.x >= 0 && l.drawnY >= 0 && l.x + l.width <= rec.screen.width && l.drawnY + l.height <= rec.screen.height, box);
      assert.ok(l.glyphHeight * k >= 16, `${box}: letters ${(l.glyphHeight * k).toFixed(1)} CSS px tall`);
    }
    const letters = lines.map((l) => l.glyphHeight * k);
    console.log(`web: ${s.width} × ${s.height}: logical ${rec.screen.width} × ${rec.screen.height}, ` +
      `letters ${Math.min(...letters).toFixed(1)} to ${Math.max(...letters).toFixed(1)} CSS px tall`);
    await state.page.screenshot({ path: path.join(shots, `end-${s.width}x${s.height}.png`) });
    await sameAsDesktop(state.page, defaultTexts());
    assert.deepEqual(state.blocked, []);
    await state.page.close();
  });
}

let passed = 0;
for (const { name, fn } of tests) {
  const started = Date.now();
  try {
    await fn();
    appendFileSync(results, `pass ${name}\n`);
    passed++;
    console.log(`web: pass ${name} (${((Date.now() - started) / 1000).toFixed(1)} s)`);
  } catch (e) {
    const why = String(e && e.message ? e.message : e).split('\n')[0];
    appendFileSync(results, `fail ${name}: ${why}\n`);
    console.log(`web: FAIL ${name}: ${why}`);
  }
}
await browser.close();
console.log(`web: ${passed} of ${tests.length} passed; screenshots in ${shots}`);
process.exit(passed === tests.length ? 0 : 1);
