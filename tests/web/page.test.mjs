// SPDX-License-Identifier: GPL-3.0-or-later
// The browser page end to end in headless Chromium, against the simulated
// radio behind the stand-in serial port, checked against what zt790ctl and
// zt790sim make of the same memory and files.

import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { Browser, bin, serve } from './browser.mjs';

const sample = fileURLToPath(new URL('../../docs/sample-channels.csv', import.meta.url));
const scratch = mkdtempSync(join(tmpdir(), 'zt790-web-'));
const ctl = (...args) => execFileSync(join(bin, 'zt790ctl'), args, { encoding: 'utf8' });
let server;
let browser;

before(async () => {
  server = await serve();
  browser = await Browser.launch();
});
after(async () => {
  await browser.close();
  server.close();
  rmSync(scratch, { recursive: true, force: true });
});

const bytesOf = (channText) => channText.split(/[\s,]+/).filter(Boolean).map(Number);
const channOf = (bytes) => Array.from({ length: 256 },
  (_, r) => `${bytes.slice(16 * r, 16 * r + 16).join(' ')}\r\n`).join('');
// A file in the scratch folder; its path.
const scratchFile = (name, text) => {
  const path = join(scratch, name);
  writeFileSync(path, text);
  return path;
};
const cell = (channel, column) => `#grid tbody tr:nth-child(${channel}) td:nth-child(${column + 1})`;

async function opened(options = {}) {
  const downloads = mkdtempSync(join(scratch, 'downloads-'));
  const page = await browser.newPage({ ...options, downloads });
  page.downloads = downloads;
  await page.open(server.url);
  return page;
}

// Runs the read or write panel's start button until the exchange ends.
async function exchange(page, mode) {
  await page.click(`#${mode}`);
  await page.click('#exchange-start');
}

async function saved(page, name) {
  await page.click('#save');
  assert.equal((await page.message()).text, 'Complete storing channel parameter.');
  const path = join(page.downloads, name);
  for (let i = 0; i < 100 && !existsSync(path); i += 1) await new Promise((d) => setTimeout(d, 50));
  const text = readFileSync(path, 'utf8');
  rmSync(path);
  return text;
}

// zt790ctl show's channel table: channel number -> the cells under each header.
function shownChannels(report) {
  const lines = report.split('\n');
  const header = lines[1];
  const names = header.trim().split(/\s{2,}/);
  const starts = names.map((n) => (n === 'Ch' ? 0 : header.indexOf(n)));
  const channels = new Map();
  for (const line of lines.slice(2)) {
    if (!/^\s*\d/.test(line)) break;
    const cells = starts.map((s, k) => line.slice(s, starts[k + 1]).trim());
    channels.set(Number(cells[0]), Object.fromEntries(names.map((n, k) => [n, cells[k]])));
  }
  return channels;
}

// A frequency's 10 Hz units; show marks one outside the band limits with a "*".
const units = (mhz) => Math.round(Number(mhz.replace(/\*$/, '')) * 100000);

// Each case in a tab of its own, all at once: most of their time is the
// radio's, waiting on the line.
describe('the page', { concurrency: true }, () => {
  test('a read of random memory shows what zt790ctl show lists for it', async () => {
    let seed = 790;
    const memory = Array.from({ length: 4096 }, () => {
      seed = (seed * 1103515245 + 12345) % 2147483648;
      return seed >> 16 & 255;
    });
    memory[16 * 128] = 255; // channel 128 empty, with leftover bytes
    const shown = shownChannels(ctl('show', scratchFile('random.chann', channOf(memory))));
    assert.ok(shown.size > 100);

    const page = await opened();
    await page.eval(`zt790Radio.load(${JSON.stringify(memory)})`);
    await exchange(page, 'read');
    assert.deepEqual(await page.message(20000),
      { title: 'Operate Prompt', text: 'Complete reading the data from transceiver.' });
    assert.equal(await page.text('note'),
      'Cleared the leftover bytes of 1 empty channel (Undo brings them back).');
    const grid = await page.grid();
    for (const [number, rx, tx, dec, enc, power, width, name] of grid) {
      const want = shown.get(Number(number));
      assert.equal(rx !== '', want !== undefined, `channel ${number} in use`);
      if (!want) continue;
      const unknown = (text) => (text === '?' ? '' : text);
      assert.deepEqual([units(rx), units(tx), dec.trim(), enc.trim(), power, width, name.trim()],
        [units(want.Receive), units(want.Transmit), unknown(want.Decode), unknown(want.Encode),
          unknown(want.Power), want.Bandwidth, want.Name], `channel ${number}`);
    }
  });

  test('an edited channel, undone and redone, writes what zt790ctl writes of the saved file', async () => {
    const page = await opened();
    await page.click(cell(1, 1));
    await page.type('471', 'Enter');
    assert.deepEqual(await page.message(),
      { title: 'Operate prompt', text: 'Over the range of receive frequency .' });
    await page.click(cell(1, 1));
    await page.type('446.00625', 'Enter', '441', 'Enter');
    await page.click(cell(1, 5));
    await page.choose(`${cell(1, 5)} select`, 1);
    await page.click(cell(1, 7));
    await page.type('pmr123');
    assert.equal(await page.eval(`document.querySelector('${cell(1, 7)} input').value`), 'pmr12');
    await page.type('Enter');
    const edited = ['1', '446.00625', '441.00000', 'OFF', 'OFF', 'Mid', 'Wide', 'PMR12'];
    assert.deepEqual((await page.grid())[0], edited);
    await page.click('#undo');
    assert.equal((await page.grid())[0][7], '');
    await page.click('#redo');
    assert.deepEqual((await page.grid())[0], edited);
    const file = scratchFile('edited.chann', await saved(page, 'radio.chann'));

    await exchange(page, 'write');
    await page.waitFor('!document.getElementById("exchange").open', 60000);
    assert.equal(await page.text('exchange-status'),
      'Complete writing Data \nRead back and compared: the radio holds the image.');
    const written = await page.eval('zt790Radio.memory()');

    const after = join(scratch, 'after.chann');
    const sim = spawn(join(bin, 'zt790sim'), ['--sessions', '1', '--save', after]);
    const device = await new Promise((done) => sim.stdout.once('data', (d) => done(String(d).trim())));
    ctl('write', '--port', device, file);
    await new Promise((done) => (sim.exitCode !== null ? done() : sim.on('exit', done)));
    assert.deepEqual(written, bytesOf(readFileSync(after, 'utf8')));
  });

  test('a write the radio does not keep is told, and Restore Backup puts its memory back', async () => {
    const page = await opened();
    const before = await page.eval('zt790Radio.memory()');
    await page.eval('zt790Radio.addFault("no-store@1")');
    await page.click(cell(1, 1));
    await page.type('446', 'Enter');
    await exchange(page, 'write');
    assert.match((await page.message(60000)).text, /^The radio does not hold what was written: .*channel 1.* Restore Backup puts back what the radio held\.$/);
    assert.equal(await page.eval('!document.getElementById("exchange-backup").hidden'), true);
    await page.click('#exchange-restore');
    await page.waitFor(`document.getElementById('exchange-status').textContent
      === 'The backup is back in the radio: it holds what it held before.'`, 60000);
    assert.deepEqual(await page.eval('zt790Radio.memory()'), before);
  });

  test('a silent radio gets four attempts, then the failure', async () => {
    const page = await opened();
    await page.eval('zt790Radio.addFault("silent@ident:always")');
    await exchange(page, 'read');
    assert.deepEqual(await page.message(40000),
      { title: 'Operate prompt', text: 'Fail connect with transceiver.' });
    assert.equal(await page.eval('zt790Radio.requests()'), 4);
    assert.equal(await page.text('exchange-status'), 'Communication fault.');
  });

  test('a cable pulled mid-read fails the read and leaves the grid as it was', async () => {
    const page = await opened();
    await page.eval('zt790Radio.addFault("pull@100")');
    await exchange(page, 'read');
    assert.equal((await page.message(20000)).text, 'Fail connect with transceiver.');
    assert.equal((await page.grid())[0][1], '');
  });

  test('an out-of-band channel stops the write before a byte is sent', async () => {
    const blank = join(scratch, 'blank.chann');
    ctl('new', '-o', blank, '--force');
    const bytes = bytesOf(readFileSync(blank, 'utf8'));
    bytes.splice(3 * 16, 16, 0x00, 0x00, 0x10, 0x47, 0, 0, 0, 0, 255, 255, 255, 255, 2, 0x20, 0, 0);
    const file = scratchFile('out-of-band.chann', channOf(bytes));

    const page = await opened();
    await page.upload('#open-file', file);
    assert.equal((await page.message()).text, 'Succeed fold the channel parameter from file.');
    await exchange(page, 'write');
    assert.equal((await page.message()).text,
      'Channel 3that Receiving or transmitting frequency  out of frequency limitation range ');
    assert.equal(await page.eval('zt790Radio.received.length'), 0);
  });

  test('a published CSV list imports to the image zt790ctl import-csv makes', async () => {
    const page = await opened();
    const base = scratchFile('start.chann', await saved(page, 'radio.chann'));
    const expected = join(scratch, 'sample.chann');
    ctl('import-csv', sample, base, '-o', expected);
    await page.click('#import-csv');
    await page.upload('#csv-file', sample);
    await page.click('#csv-import');
    assert.equal((await page.message()).text, 'Imported 12 channels from sample-channels.csv.');
    assert.equal(await saved(page, 'radio.chann'), readFileSync(expected, 'utf8'));
  });

  test('without Web Serial the page says which browsers work, in Chinese too, and files still open',
    async () => {
      const page = await opened({ serial: false });
      assert.equal(await page.eval('document.getElementById("read").disabled'), true);
      assert.equal(await page.eval('document.getElementById("no-serial").checkVisibility()'), true);
      assert.match(await page.text('no-serial'), /Chrome and Edge/);
      await page.choose('#language', 1);
      assert.match(await page.text('no-serial'), /Chrome 和 Edge/);
      await page.choose('#model', 1);
      assert.equal(await page.text('band'), ' 136-- 174 MHZ');
      const file = join(scratch, 'pmr.chann');
      ctl('import-csv', sample, '-o', file);
      await page.upload('#open-file', file);
      assert.equal((await page.message()).text, '信道参数从文件调入成功 ！');
      assert.equal((await page.grid())[0][7], 'PMR1');
      await page.click(cell(2, 1));
      await page.type('600', 'Enter');
      assert.deepEqual(await page.message(), { title: '操作提示', text: '接收频率超出范围 ！' });
      assert.equal((await page.grid())[1][1], '400.00000');
    });
});
