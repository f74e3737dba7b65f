// SPDX-License-Identifier: GPL-3.0-or-later
// Remakes the page's screenshots at 1366x768, web-en.png and web-zh.png, in the
// folder given: the sample channel list read from the simulated radio, then a
// second read under way. Run by scripts/web --screenshots.

import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';

import { Browser, bin, serve } from '../tests/web/browser.mjs';

const folder = process.argv[2] || '.';
const scratch = mkdtempSync(join(tmpdir(), 'zt790-shots-'));
const sample = fileURLToPath(new URL('../docs/sample-channels.csv', import.meta.url));
const file = join(scratch, 'sample.chann');
execFileSync(join(bin, 'zt790ctl'), ['import-csv', sample, '-o', file], { stdio: 'ignore' });
const memory = readFileSync(file, 'utf8').split(/\s+/).filter(Boolean).map(Number);

const server = await serve();
const browser = await Browser.launch();
try {
  for (const language of ['en', 'zh']) {
    const page = await browser.newPage();
    await page.open(server.url);
    await page.choose('#language', language === 'zh' ? 1 : 0);
    await page.eval(`zt790Radio.load(${JSON.stringify(memory)})`);
    await page.click('#read');
    await page.click('#exchange-start');
    await page.message(20000);
    await page.waitFor('!document.getElementById("exchange").open');
    await page.click('#grid tbody tr:nth-child(4) td:nth-child(8)');
    await page.eval('zt790Radio.pace = true');
    await page.click('#read');
    await page.click('#exchange-start');
    await page.waitFor('document.getElementById("exchange-progress").value >= 40', 20000);
    const { data } = await page.send('Page.captureScreenshot', { format: 'png' });
    writeFileSync(join(folder, `web-${language}.png`), Buffer.from(data, 'base64'));
    console.log(`${join(folder, `web-${language}.png`)}`);
  }
} finally {
  await browser.close();
  server.close();
  rmSync(scratch, { recursive: true, force: true });
}
