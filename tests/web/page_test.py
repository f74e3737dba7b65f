#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The browser page end to end in headless Chromium, against the simulated
radio behind the stand-in serial port, checked against what zt790ctl and
zt790sim make of the same memory and files. Each case in a browser of its own,
all at once: most of their time is the radio's, waiting on the line."""

import itertools
import re
import shutil
import subprocess
import sys
import tempfile
import time
import traceback
import unittest
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

from browser import BIN, ROOT, Page, serve
from selenium.webdriver.common.keys import Keys

SAMPLE = ROOT / "docs" / "sample-channels.csv"
ENTER = Keys.ENTER
check = unittest.TestCase()
check.maxDiff = None
scratch = Path(tempfile.mkdtemp(prefix="zt790-web-"))
url = serve()
# (case, whether its page has the stand-in serial port, the browser it runs in): the
# short cases share browsers, so that all take no longer than the longest.
cases = []


def ctl(*args):
    return subprocess.run([BIN / "zt790ctl", *map(str, args)], check=True, capture_output=True,
                          text=True).stdout


def bytes_of(chann_text):
    return [int(v) for v in re.split(r"[\s,]+", chann_text) if v]


def chann_of(data):
    return "".join(" ".join(map(str, data[16 * r:16 * r + 16])) + "\r\n" for r in range(256))


def scratch_file(name, text):
    path = scratch / name
    path.write_bytes(text.encode())
    return path


def cell(channel, column):
    return f"#grid tbody tr:nth-child({channel}) td:nth-child({column + 1})"


def saved(page, name):
    page.click("#save")
    check.assertEqual(page.message()["text"], "Complete storing channel parameter.")
    path = page.downloads / name
    for _ in range(100):
        if path.exists():
            break
        time.sleep(0.05)
    text = path.read_bytes().decode()
    path.unlink()
    return text


def shown_channels(report):
    """zt790ctl show's channel table: channel number -> the cells under each header."""
    header, *lines = report.split("\n")[1:]
    names = re.split(r"\s{2,}", header.strip())
    starts = [0 if n == "Ch" else header.index(n) for n in names] + [None]
    rows = itertools.takewhile(lambda line: re.match(r"\s*\d", line), lines)
    cells = ([line[s:e].strip() for s, e in zip(starts, starts[1:])] for line in rows)
    return {int(c[0]): dict(zip(names, c)) for c in cells}


def units(mhz):
    """A frequency's 10 Hz units; show marks one outside the band limits with a "*"."""
    return round(float(mhz.removesuffix("*") or 0) * 100000)


def case(browser, serial=True):
    return lambda function: cases.append((function, serial, browser)) or function


@case(3)
def read_of_random_memory_shows_what_zt790ctl_show_lists(page):
    seed, memory = 790, []
    for _ in range(4096):
        seed = (seed * 1103515245.0 + 12345) % 2147483648
        memory.append(int(seed) >> 16 & 255)
    memory[16 * 128] = 255  # channel 128 empty, with leftover bytes
    shown = shown_channels(ctl("show", scratch_file("random.chann", chann_of(memory))))
    check.assertGreater(len(shown), 100)

    page.eval(f"zt790Radio.load({memory})")
    page.click("#read", "#exchange-start")
    check.assertEqual(page.message(20), {"title": "Operate Prompt",
                                         "text": "Complete reading the data from transceiver."})
    check.assertEqual(page.text("note"),
                      "Cleared the leftover bytes of 1 empty channel (Undo brings them back).")
    for number, rx, tx, dec, enc, power, width, name in page.grid():
        want = shown.get(int(number))
        check.assertEqual(rx != "", want is not None, f"channel {number} in use")
        if want:
            known = {k: "" if v == "?" else v for k, v in want.items()}
            check.assertEqual(
                [units(rx), units(tx), dec.strip(), enc.strip(), power, width, name.strip()],
                [units(want["Receive"]), units(want["Transmit"]), known["Decode"], known["Encode"],
                 known["Power"], want["Bandwidth"], want["Name"]], f"channel {number}")


@case(0)
def edited_channel_undone_and_redone_writes_what_zt790ctl_writes_of_the_saved_file(page):
    page.click(cell(1, 1))
    page.type("471", ENTER)
    check.assertEqual(page.message(), {"title": "Operate prompt",
                                       "text": "Over the range of receive frequency ."})
    page.click(cell(1, 1))
    page.type("446.00625", ENTER, "441", ENTER)
    page.click(cell(1, 5))
    page.choose(f"{cell(1, 5)} select", 1)
    page.click(cell(1, 7))
    page.type("pmr123")
    check.assertEqual(page.eval(f"document.querySelector('{cell(1, 7)} input').value"), "pmr12")
    page.type(ENTER)
    edited = ["1", "446.00625", "441.00000", "OFF", "OFF", "Mid", "Wide", "PMR12"]
    check.assertEqual(page.grid()[0], edited)
    page.click("#undo")
    check.assertEqual(page.grid()[0][7], "")
    page.click("#redo")
    check.assertEqual(page.grid()[0], edited)
    file = scratch_file("edited.chann", saved(page, "radio.chann"))

    page.click("#write", "#exchange-start")
    page.wait_for('!document.getElementById("exchange").open', 60)
    check.assertEqual(page.text("exchange-status"),
                      "Complete writing Data \nRead back and compared: the radio holds the image.")
    written = page.eval("zt790Radio.memory()")

    after = scratch / "after.chann"
    sim = subprocess.Popen([BIN / "zt790sim", "--sessions", "1", "--save", after],
                           stdout=subprocess.PIPE, text=True)
    ctl("write", "--port", sim.stdout.readline().strip(), file)
    sim.wait()
    check.assertEqual(written, bytes_of(after.read_text()))


@case(1)
def write_the_radio_does_not_keep_is_told_and_restore_backup_puts_its_memory_back(page):
    before = page.eval("zt790Radio.memory()")
    page.eval('zt790Radio.addFault("no-store@1")')
    page.click(cell(1, 1))
    page.type("446", ENTER)
    page.click("#write", "#exchange-start")
    check.assertRegex(page.message(60)["text"], r"^The radio does not hold what was written: .*"
                      r"channel 1.* Restore Backup puts back what the radio held\.$")
    check.assertIs(page.eval('!document.getElementById("exchange-backup").hidden'), True)
    page.click("#exchange-restore")
    page.wait_for("""document.getElementById('exchange-status').textContent
      === 'The backup is back in the radio: it holds what it held before.'""", 60)
    check.assertEqual(page.eval("zt790Radio.memory()"), before)


@case(2)
def silent_radio_gets_four_attempts_then_the_failure(page):
    page.eval('zt790Radio.addFault("silent@ident:always")')
    page.click("#read", "#exchange-start")
    check.assertEqual(page.message(40), {"title": "Operate prompt",
                                         "text": "Fail connect with transceiver."})
    check.assertEqual(page.eval("zt790Radio.requests()"), 4)
    check.assertEqual(page.text("exchange-status"), "Communication fault.")


@case(3)
def cable_pulled_mid_read_fails_the_read_and_leaves_the_grid_as_it_was(page):
    page.eval('zt790Radio.addFault("pull@100")')
    page.click("#read", "#exchange-start")
    check.assertEqual(page.message(20)["text"], "Fail connect with transceiver.")
    check.assertEqual(page.grid()[0][1], "")


@case(2)
def out_of_band_channel_stops_the_write_before_a_byte_is_sent(page):
    blank = scratch / "blank.chann"
    ctl("new", "-o", blank, "--force")
    data = bytes_of(blank.read_text())
    data[48:64] = [0x00, 0x00, 0x10, 0x47, 0, 0, 0, 0, 255, 255, 255, 255, 2, 0x20, 0, 0]
    file = scratch_file("out-of-band.chann", chann_of(data))

    page.upload("#open-file", file)
    check.assertEqual(page.message()["text"], "Succeed fold the channel parameter from file.")
    page.click("#write", "#exchange-start")
    check.assertEqual(page.message()["text"], "Channel 3that Receiving or transmitting frequency"
                      "  out of frequency limitation range ")
    check.assertEqual(page.eval("zt790Radio.received.length"), 0)


@case(3)
def published_csv_list_imports_to_the_image_zt790ctl_import_csv_makes(page):
    base = scratch_file("start.chann", saved(page, "radio.chann"))
    expected = scratch / "sample.chann"
    ctl("import-csv", SAMPLE, base, "-o", expected)
    page.click("#import-csv")
    page.upload("#csv-file", SAMPLE)
    page.click("#csv-import")
    check.assertEqual(page.message()["text"], "Imported 12 channels from sample-channels.csv.")
    check.assertEqual(saved(page, "radio.chann"), expected.read_bytes().decode())


@case(3, serial=False)
def without_web_serial_the_page_says_which_browsers_work_in_chinese_too_and_files_still_open(page):
    check.assertIs(page.eval('document.getElementById("read").disabled'), True)
    check.assertIs(page.eval('document.getElementById("no-serial").checkVisibility()'), True)
    check.assertIn("Chrome and Edge", page.text("no-serial"))
    page.choose("#language", 1)
    check.assertIn("Chrome 和 Edge", page.text("no-serial"))
    page.choose("#model", 1)
    check.assertEqual(page.text("band"), " 136-- 174 MHZ")
    file = scratch / "pmr.chann"
    ctl("import-csv", SAMPLE, "-o", file)
    page.upload("#open-file", file)
    check.assertEqual(page.message()["text"], "信道参数从文件调入成功 ！")
    check.assertEqual(page.grid()[0][7], "PMR1")
    page.click(cell(2, 1))
    page.type("600", ENTER)
    check.assertEqual(page.message(), {"title": "操作提示", "text": "接收频率超出范围 ！"})
    check.assertEqual(page.grid()[1][1], "400.00000")


def run(lane):
    """Runs one browser's cases one after another; their failures, by name."""
    page, failures = Page(Path(tempfile.mkdtemp(dir=scratch))), {}
    try:
        for function, serial, _ in lane:
            try:
                page.open(url, serial)
                function(page)
            except Exception:  # pylint: disable=broad-except
                failures[function.__name__] = traceback.format_exc()
    finally:
        page.close()
    return failures


if __name__ == "__main__":
    lanes = {}
    for entry in cases:
        lanes.setdefault(entry[2], []).append(entry)
    with ThreadPoolExecutor(len(lanes)) as pool:
        failed = {name: error for lane in pool.map(run, lanes.values()) for name, error in
                  lane.items()}
    shutil.rmtree(scratch, ignore_errors=True)
    for name, error in failed.items():
        print(f"FAIL {name}\n{error}")
    print(f"{len(cases) - len(failed)} of {len(cases)} passed")
    sys.exit(1 if failed else 0)
