#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Remakes the page's screenshots at 1366x768, web-en.png and web-zh.png, in the
folder given: the sample channel list read from the simulated radio, then a
second read under way. Run by scripts/web --screenshots."""

import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "web"))
from browser import BIN, ROOT, Page, serve  # noqa: E402 pylint: disable=wrong-import-position

folder = Path(sys.argv[1] if len(sys.argv) > 1 else ".")
with tempfile.TemporaryDirectory(prefix="zt790-shots-") as scratch:
    file = Path(scratch) / "sample.chann"
    sample = ROOT / "docs" / "sample-channels.csv"
    subprocess.run([BIN / "zt790ctl", "import-csv", sample, "-o", file], check=True,
                   capture_output=True)
    memory = [int(v) for v in file.read_text().split()]
url = serve()
for index, language in enumerate(["en", "zh"]):
    page = Page()
    try:
        page.open(url)
        page.choose("#language", index)
        page.eval(f"zt790Radio.load({memory})")
        page.click("#read")
        page.click("#exchange-start")
        page.message(20)
        page.wait_for('!document.getElementById("exchange").open')
        page.click("#grid tbody tr:nth-child(4) td:nth-child(8)")
        page.eval("zt790Radio.pace = true")
        page.click("#read")
        page.click("#exchange-start")
        page.wait_for('document.getElementById("exchange-progress").value >= 40', 20)
        shot = folder / f"web-{language}.png"
        shot.write_bytes(page.driver.get_screenshot_as_png())
        print(shot)
    finally:
        page.close()
