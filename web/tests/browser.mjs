// The page in Debian's Chromium, headless, through puppeteer-core: opening it
// with the network off, running its show fast or in real time, and reading
// pixels back from screenshots.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

export const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';
// The same clock readings for the page and the desktop's show.
export const CLOCK = { start: 1000, step: 7 };

export function launch() {
  return puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    // As root there is no sandbox; the page plays its music without a tap
    // only where a test clicks.
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run'],
  });
}

// A new tab of the given size whose every request other than the page's own
// (its file, or its 127.0.0.1 server) fails; `blocked` lists them. `hooks`
// become window.showTest.
export async function openPage(browser, url, { width = 1366, height = 768, scale = 1, mobile = false, hooks } = {}) {
  const page = await browser.newPage();
  const state = { page, blocked: [], errors: [] };
  page.on('pageerror', (e) => state.errors.push(e.message));
  await page.setViewport({ width, height, deviceScaleFactor: scale, isMobile: mobile, hasTouch: mobile });
  const own = new URL(url).protocol === 'http:' ? `${new URL(url).origin}/` : null;
  // Offline except for a page served here: the loopback is the network too.
  if (!own) await page.setOfflineMode(true);
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    const u = request.url();
    if (/^(file|data|blob):/.test(u) || (own && u.startsWith(own))) return request.continue();
    state.blocked.push(u);
    return request.abort();
  });
  if (hooks) await page.evaluateOnNewDocument((h) => { window.showTest = h; }, hooks);
  await page.goto(url, { waitUntil: 'load' });
  return state;
}

export function fastHooks(extra = {}) {
  return { timeScale: 0, log: true, clock: CLOCK, holdAt: [], ...extra };
}

export async function visible(page, selector) {
  return page.$eval(selector, (e) => !e.hidden && e.getBoundingClientRect().height > 0);
}

// Waits for the show to reach `number` (a held phase) or its end (null).
export async function until(page, number, timeout = 120000) {
  if (number === null) {
    await page.waitForFunction(() => ShowPage.record.stamps.ended !== undefined, { timeout, polling: 100 });
  } else {
    await page.waitForFunction((n) => ShowPage.record.phases[n] !== undefined, { timeout, polling: 50 }, number);
  }
}

export const record = (page) => page.evaluate(() => ShowPage.record);

// The desktop show's log for the same logical size, texts and clock.
export function desktopLog(showOps, width, height, texts) {
  const dir = mkdtempSync(path.join(tmpdir(), 'show-ops-'));
  const file = path.join(dir, 'texts');
  writeFileSync(file, Buffer.concat(texts.map((t) => Buffer.from(`${t}\0`, 'utf8'))));
  const out = execFileSync(showOps, [width, height, CLOCK.start, CLOCK.step, file].map(String), {
    encoding: 'utf8', maxBuffer: 64 << 20,
  });
  return out.split('\n').filter((line) => line !== '');
}

// Where two logs part first, or null when they are equal.
export function firstDifference(page, desktop) {
  const n = Math.max(page.length, desktop.length);
  for (let i = 0; i < n; i++) {
    if (page[i] !== desktop[i]) return `line ${i + 1}: page ${JSON.stringify(page[i])}, desktop ${JSON.stringify(desktop[i])}`;
  }
  return null;
}

// The colours of a screenshot at CSS points, each point's square of 2r+1
// pixels: [[r, g, b], ...] per point.
export async function screenshotColours(page, png, points, r = 0) {
  const scale = await page.evaluate(() => window.devicePixelRatio);
  return page.evaluate(async (b64, pts, radius, k) => {
    const image = new Image();
    image.src = `data:image/png;base64,${b64}`;
    await image.decode();
    const c = document.createElement('canvas');
    c.width = image.width;
    c.height = image.height;
    const g = c.getContext('2d', { willReadFrequently: true });
    g.drawImage(image, 0, 0);
    const all = g.getImageData(0, 0, c.width, c.height).data;
    return pts.map(([x, y]) => {
      const out = [];
      for (let dy = -radius; dy <= radius; dy++) {
        for (let dx = -radius; dx <= radius; dx++) {
          const px = Math.round(x * k) + dx, py = Math.round(y * k) + dy;
          if (px < 0 || py < 0 || px >= c.width || py >= c.height) continue;
          const i = (py * c.width + px) * 4;
          out.push([all[i], all[i + 1], all[i + 2]]);
        }
      }
      return out;
    });
  }, Buffer.from(png).toString('base64'), points, r, scale);
}

export const isRoseRed = ([r, g, b]) => r > 140 && g < 90 && b < 110;
export const isMagenta = ([r, g, b]) => r > 190 && g < 110 && b > 190;
