# SPDX-License-Identifier: GPL-3.0-or-later
"""Headless Chromium under Debian's chromedriver, the built page served from
build-web on localhost, and the stand-in serial port injected before the
page's own scripts run."""

import functools
import json
import os
import threading
from http.server import SimpleHTTPRequestHandler, ThreadingHTTPServer
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select

ROOT = Path(__file__).resolve().parents[2]
SITE = Path(os.environ.get("ZT_WEB_DIR", ROOT / "build-web"))
BIN = Path(os.environ.get("ZT_BUILD_DIR", ROOT / "build")) / "bin"
FAKE_SERIAL = (Path(__file__).parent / "fake_serial.js").read_text(encoding="utf-8")


class _Quiet(SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve():
    """Serves the built page on a free localhost port (Web Serial needs a
    secure context, which localhost is); its address."""
    server = ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(_Quiet, directory=SITE))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return f"http://localhost:{server.server_port}/"


class Page:
    """A Chromium of its own at 1366x768 for the page; downloads land in `downloads`."""

    def __init__(self, downloads=None):
        options = webdriver.ChromeOptions()
        options.binary_location = os.environ.get("ZT_CHROMIUM", "/usr/bin/chromium")
        for flag in ("headless", "no-sandbox", "disable-gpu", "disable-background-timer-throttling",
                     "disable-renderer-backgrounding", "window-size=1366,768"):
            options.add_argument(f"--{flag}")
        if downloads:
            options.add_experimental_option("prefs", {"download.default_directory": str(downloads)})
        self.downloads = downloads
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.cdp = self.driver.execute_cdp_cmd
        self.cdp("Emulation.setDeviceMetricsOverride",
                 {"width": 1366, "height": 768, "deviceScaleFactor": 1, "mobile": False})
        self.script = None

    def open(self, url, serial=True):
        """Opens the page afresh, with the stand-in serial port (or none), and waits until it
        has wired itself to the core."""
        if self.script:
            self.cdp("Page.removeScriptToEvaluateOnNewDocument", {"identifier": self.script})
        script = FAKE_SERIAL if serial else "delete Navigator.prototype.serial;"
        self.script = self.cdp("Page.addScriptToEvaluateOnNewDocument",
                               {"source": script})["identifier"]
        self.driver.get(url)
        self.wait_for('document.body && document.body.dataset.ready === "true"')

    def close(self):
        self.driver.quit()

    def eval(self, expression):
        """The value of an expression (awaited when it is a promise)."""
        return self.driver.execute_script(f"return {expression}")

    def wait_for(self, expression, timeout=10):
        """The expression's value once it is true, looked at every 50 ms by the page itself: a
        round trip through the driver each time would take processor time from the radio."""
        self.driver.set_script_timeout(timeout + 5)
        return self.eval(f"""new Promise((done, fail) => (function poll(until) {{
          let value;
          try {{ value = {expression}; }} catch {{}}
          if (value) done(value);
          else if (performance.now() < until) setTimeout(() => poll(until), 50);
          else fail(new Error({json.dumps("timed out waiting for " + expression)}));
        }})(performance.now() + {timeout * 1000}))""")

    def find(self, selector):
        return self.driver.find_element(By.CSS_SELECTOR, selector)

    def click(self, *selectors):
        for selector in selectors:
            self.find(selector).click()

    def text(self, element_id):
        return self.find(f"#{element_id}").get_property("textContent")

    def choose(self, selector, index):
        """Picks item `index` of a list, as the user does."""
        Select(self.find(selector)).select_by_index(index)

    def type(self, *keys):
        """Keys as a user types them into what has the focus (Keys.ENTER for Enter)."""
        ActionChains(self.driver).send_keys(*keys).perform()

    def upload(self, selector, path):
        """Puts a file into an <input type=file>, as the file chooser does."""
        self.find(selector).send_keys(str(path))

    def message(self, timeout=10):
        """The message box showing now ({title, text}), after closing it."""
        self.wait_for('document.getElementById("message").open', timeout)
        shown = {"title": self.text("message-title"), "text": self.text("message-text")}
        self.click("#message-ok")
        self.wait_for('!document.getElementById("message").open')
        return shown

    def grid(self):
        """The texts of the grid's rows, as the user sees them."""
        return self.eval("""[...document.querySelectorAll('#grid tbody tr')]
          .map((tr) => [...tr.cells].map((td) => td.textContent))""")
