"""Firefox ESR for the page's test and benchmark, through scripts/firefox/driver.mjs
(puppeteer-core over WebDriver BiDi), with the part of Selenium's WebDriver
those scripts use: get() and execute_script(). Needs an X display: Firefox
runs headed, as its headless mode draws no WebGL here."""

import json
import os
import subprocess

DRIVER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "firefox", "driver.mjs")


class FirefoxDriver:
    def __init__(self, size="1280x1024"):
        self.process = subprocess.Popen(["node", DRIVER, size], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, text=True)
        self.version = self._read()

    def _read(self):
        line = self.process.stdout.readline()
        if not line:
            raise RuntimeError("the Firefox driver ended")
        reply = json.loads(line)
        if "error" in reply:
            raise RuntimeError(f"Firefox: {reply['error']}")
        return reply["value"]

    def _ask(self, request):
        self.process.stdin.write(json.dumps(request) + "\n")
        self.process.stdin.flush()
        return self._read()

    def get(self, url):
        self._ask({"get": url})

    def execute_script(self, script, *args):
        return self._ask({"script": script, "args": list(args)})

    def quit(self):
        try:
            self._ask({"quit": True})
        except (RuntimeError, BrokenPipeError, ValueError):
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
