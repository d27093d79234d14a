// Screenshots of the page as a phone and a desktop show it: the editor, the
// end of the scatter with slots 05 and 06, and the end of the show (run fast,
// its random draws from the real clock).
//   node shots.mjs URL DIR
import { mkdirSync } from 'node:fs';
import path from 'node:path';
import { fastHooks, launch, openPage, until } from './browser.mjs';

const [url, dir] = process.argv.slice(2);
if (!dir) {
  console.error('usage: node shots.mjs URL DIR');
  process.exit(2);
}
mkdirSync(dir, { recursive: true });
const screens = {
  phone: { width: 390, height: 844, scale: 2, mobile: true },
  desktop: { width: 1366, height: 768 },
};
const browser = await launch();
for (const [name, screen] of Object.entries(screens)) {
  const { page } = await openPage(browser, url, { ...screen, hooks: fastHooks({ log: false, clock: null, holdAt: [4] }) });
  await page.screenshot({ path: path.join(dir, `editor-${name}.png`) });
  await page.click('#start');
  await until(page, 4);
  await page.screenshot({ path: path.join(dir, `show-${name}-scatter.png`) });
  await page.evaluate(() => ShowPage.release());
  await until(page, null);
  await page.screenshot({ path: path.join(dir, `show-${name}-end.png`) });
  await page.close();
}
await browser.close();
