// SPDX-License-Identifier: GPL-3.0-or-later
// The browser page's read against the simulated radio behind the stand-in
// serial port, paced at 9600 baud, in headless Chromium: the time from the
// Read button to "Read Data in gear. " as a ratio to the floor, every byte on
// the wire at 960 bytes a second plus the 15 ms pause before each of the 255
// frames the page sends (10.72 s). Goal: at most 1.05.
//   node bench/web_read_bench.mjs [RUNS]    (scripts/web --bench [RUNS])

import { Browser, serve } from '../tests/web/browser.mjs';

const floor = 10.72;
const runs = Number(process.argv[2] || 3);
const server = await serve();
const browser = await Browser.launch();
const seconds = [];
try {
  const page = await browser.newPage();
  await page.open(server.url);
  await page.eval('zt790Radio.pace = true');
  await page.click('#read');
  for (let run = 1; run <= runs; run += 1) {
    const ms = await page.eval(`new Promise((done) => {
      const status = document.getElementById('exchange-status');
      const start = performance.now();
      new MutationObserver(() => {
        if (status.textContent === 'Read Data in gear. ') done(performance.now() - start);
      }).observe(status, { childList: true, characterData: true, subtree: true });
      document.getElementById('exchange-start').click();
    })`);
    await page.message();
    await page.waitFor('!document.getElementById("exchange").open');
    seconds.push(ms / 1000);
    console.log(`read ${run}: ${(ms / 1000).toFixed(2)} s, ratio ${(ms / 1000 / floor).toFixed(3)}`);
    if (run < runs) await page.click('#read');
  }
} finally {
  await browser.close();
  server.close();
}
seconds.sort((a, b) => a - b);
const median = seconds[Math.floor(seconds.length / 2)];
console.log(`median ${median.toFixed(2)} s, ratio ${(median / floor).toFixed(3)} (goal 1.05)`);
