#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The browser page's read against the simulated radio behind the stand-in
serial port, paced at 9600 baud, in headless Chromium: the time from the
Read button to "Read Data in gear. " as a ratio to the floor, every byte on
the wire at 960 bytes a second plus the 15 ms pause before each of the 255
frames the page sends (10.72 s). Goal: at most 1.05.
  bench/web_read_bench.py [RUNS]    (scripts/web --bench [RUNS])"""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "web"))
from browser import Page, serve  # noqa: E402 pylint: disable=wrong-import-position

FLOOR = 10.72
runs = int(sys.argv[1]) if len(sys.argv) > 1 else 3
page = Page()
seconds = []
try:
    page.open(serve())
    page.eval("zt790Radio.pace = true")
    page.click("#read")
    for run in range(1, runs + 1):
        ms = page.eval("""new Promise((done) => {
          const status = document.getElementById('exchange-status');
          const start = performance.now();
          new MutationObserver(() => {
            if (status.textContent === 'Read Data in gear. ') done(performance.now() - start);
          }).observe(status, { childList: true, characterData: true, subtree: true });
          document.getElementById('exchange-start').click();
        })""")
        page.message()
        page.wait_for('!document.getElementById("exchange").open')
        seconds.append(ms / 1000)
        print(f"read {run}: {ms / 1000:.2f} s, ratio {ms / 1000 / FLOOR:.3f}")
        if run < runs:
            page.click("#read")
finally:
    page.close()
median = sorted(seconds)[len(seconds) // 2]
print(f"median {median:.2f} s, ratio {median / FLOOR:.3f} (goal 1.05)")
