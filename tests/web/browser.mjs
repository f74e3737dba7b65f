// SPDX-License-Identifier: GPL-3.0-or-later
// Headless Chromium driven over the DevTools protocol on a pipe (no test
// library to install), the built page served from build-web on localhost, and
// the stand-in serial port injected before the page's own scripts run.

import { spawn } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join, normalize } from 'node:path';
import { fileURLToPath } from 'node:url';

const root = fileURLToPath(new URL('../..', import.meta.url));
export const site = process.env.ZT_WEB_DIR || join(root, 'build-web');
export const bin = join(process.env.ZT_BUILD_DIR || join(root, 'build'), 'bin');
const fakeSerial = readFileSync(fileURLToPath(new URL('fake_serial.js', import.meta.url)), 'utf8');

const types = {
  '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
};

// Serves the built page on a free localhost port (Web Serial needs a secure
// context, which localhost is).
export async function serve() {
  const server = createServer((request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    try {
      const body = readFileSync(join(site, path.endsWith('/') ? `${path}index.html` : path));
      response.writeHead(200, { 'Content-Type': types[extname(path) || '.html'] || 'text/plain' });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  return { url: `http://localhost:${server.address().port}/`, close: () => server.close() };
}

export class Browser {
  static async launch() {
    const profile = mkdtempSync(join(tmpdir(), 'zt790-chromium-'));
    const child = spawn(process.env.ZT_CHROMIUM || '/usr/bin/chromium', [
      '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
      '--remote-debugging-pipe', `--user-data-dir=${profile}`, '--window-size=1366,768',
      'about:blank',
    ], { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] });
    return new Browser(child, profile);
  }

  constructor(child, profile) {
    this.child = child;
    this.profile = profile;
    this.nextId = 1;
    this.calls = new Map();
    let pending = '';
    child.stdio[4].on('data', (chunk) => {
      pending += chunk.toString('utf8');
      let end;
      while ((end = pending.indexOf('\0')) >= 0) {
        this.dispatch(JSON.parse(pending.slice(0, end)));
        pending = pending.slice(end + 1);
      }
    });
  }

  // Answers to calls; the protocol's events are not needed.
  dispatch(message) {
    const call = this.calls.get(message.id);
    if (!call) return;
    this.calls.delete(message.id);
    if (message.error) call.reject(new Error(`${call.method}: ${message.error.message}`));
    else call.resolve(message.result);
  }

  send(method, params = {}, sessionId = undefined) {
    const id = this.nextId++;
    this.child.stdio[3].write(`${JSON.stringify({ id, method, params, sessionId })}\0`);
    return new Promise((resolve, reject) => this.calls.set(id, { resolve, reject, method }));
  }

  // A new tab at 1366x768 with the stand-in serial port (or none with
  // { serial: false }), in a browser context of its own, so that tabs open at
  // once keep their downloads (landing in `downloads`) apart.
  async newPage({ serial = true, downloads } = {}) {
    const { browserContextId } = await this.send('Target.createBrowserContext');
    const { targetId } = await this.send('Target.createTarget',
      { url: 'about:blank', browserContextId });
    const { sessionId } = await this.send('Target.attachToTarget', { targetId, flatten: true });
    const page = new Page(this, sessionId);
    await page.send('Page.enable');
    await page.send('Emulation.setDeviceMetricsOverride',
      { width: 1366, height: 768, deviceScaleFactor: 1, mobile: false });
    const script = serial ? fakeSerial : 'delete Navigator.prototype.serial;';
    await page.send('Page.addScriptToEvaluateOnNewDocument', { source: script });
    if (downloads) {
      await this.send('Browser.setDownloadBehavior',
        { behavior: 'allow', downloadPath: downloads, browserContextId, eventsEnabled: true });
    }
    return page;
  }

  async close() {
    await this.send('Browser.close').catch(() => {});
    await new Promise((done) => (this.child.exitCode !== null ? done() : this.child.on('exit', done)));
    rmSync(this.profile, { recursive: true, force: true });
  }
}

export class Page {
  constructor(browser, sessionId) {
    this.browser = browser;
    this.sessionId = sessionId;
  }

  send(method, params) {
    return this.browser.send(method, params, this.sessionId);
  }

  // Opens the page and waits until it has wired itself to the core.
  async open(url) {
    await this.send('Page.navigate', { url });
    await this.waitFor('document.body && document.body.dataset.ready === "true"');
  }

  // The value of an expression (awaited when it is a promise).
  async eval(expression) {
    const { result, exceptionDetails } = await this.send('Runtime.evaluate',
      { expression, awaitPromise: true, returnByValue: true });
    if (exceptionDetails) throw new Error(exceptionDetails.exception?.description || expression);
    return result.value;
  }

  async waitFor(expression, timeoutMs = 10000) {
    const until = Date.now() + timeoutMs;
    for (;;) {
      const value = await this.eval(expression).catch(() => undefined);
      if (value) return value;
      if (Date.now() > until) throw new Error(`timed out waiting for ${expression}`);
      await new Promise((done) => setTimeout(done, 50));
    }
  }

  async click(selector) {
    const box = await this.eval(`(() => {
      const r = document.querySelector(${JSON.stringify(selector)}).getBoundingClientRect();
      return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
    })()`);
    for (const type of ['mousePressed', 'mouseReleased']) {
      await this.send('Input.dispatchMouseEvent',
        { type, x: box.x, y: box.y, button: 'left', clickCount: 1 });
    }
  }

  text(id) {
    return this.eval(`document.getElementById(${JSON.stringify(id)}).textContent`);
  }

  // Picks item `index` of a list, as the user does.
  choose(selector, index) {
    return this.eval(`(() => { const list = document.querySelector(${JSON.stringify(selector)});
      list.selectedIndex = ${index}; list.dispatchEvent(new Event('change')); })()`);
  }

  // Keys as a user types them: characters, or names such as Enter and Escape.
  async type(...keys) {
    const named = { Enter: ['\r', 13], Escape: ['', 27], Tab: ['', 9], Backspace: ['', 8] };
    for (const key of keys) {
      const chars = named[key] ? [key] : [...key];
      for (const ch of chars) {
        const [text, code] = named[ch] || [ch, 0];
        const event = { key: ch, text, windowsVirtualKeyCode: code, code: named[ch] ? ch : '' };
        await this.send('Input.dispatchKeyEvent', { type: 'keyDown', ...event });
        await this.send('Input.dispatchKeyEvent', { type: 'keyUp', ...event });
      }
    }
  }

  // Puts a file into an <input type=file>, as the file chooser does.
  async upload(selector, path) {
    const { result } = await this.send('Runtime.evaluate',
      { expression: `document.querySelector(${JSON.stringify(selector)})` });
    await this.send('DOM.setFileInputFiles', { files: [path], objectId: result.objectId });
  }

  // The message box showing now ({ title, text }), after closing it.
  async message(timeoutMs) {
    await this.waitFor('document.getElementById("message").open', timeoutMs);
    const shown = await this.eval(`({ title: document.getElementById('message-title').textContent,
      text: document.getElementById('message-text').textContent })`);
    await this.click('#message-ok');
    await this.waitFor('!document.getElementById("message").open');
    return shown;
  }

  // The texts of the grid's rows, as the user sees them.
  grid() {
    return this.eval(`[...document.querySelectorAll('#grid tbody tr')]
      .map((tr) => [...tr.cells].map((td) => td.textContent))`);
  }
}
