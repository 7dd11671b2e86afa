"""The browser build's test, run by scripts/test-web.

Serves a built site (default build-web/site) on 127.0.0.1, drives headless
Chromium through ChromeDriver with Selenium, and checks the page: every
screen reached by URL steps against universe-snapshot's picture of the same
steps (at size=800x600), the pop-up menu, the keys on a paused page and the
keys left to the browser, a bad URL parameter, a command layout that does
not fit the page's shaders, the picture filling the page
at device pixels, a long address that leaves the page answering, the site
opened as a file, the menu on a phone, the keyboard menu, a shared address,
a recorded clip, the app's installability and offline use, a new release
taken only at the update notice, the calls panel, the embedded view, and the
console. The screens, the calls panel and the embedded view are checked in
Firefox ESR and WebKitGTK too, headed on the X
display DISPLAY names (scripts/test-web gives it a private Xvfb). It also prints the load
time and the automatic Universe's frame time in the browser against the
native viewer's (universe-bench). The browser's frames and the native
pictures are kept in build-web/test/. Ends with the line "web: N passed, M
failed".

    /usr/bin/python3 scripts/test-web.py [SITE_DIR]

TEST_WEB_ONLY=TEXT runs only the checks whose names hold TEXT.
"""

import base64
import functools
import http.server
import json
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

from firefox_driver import FirefoxDriver

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SNAPSHOT = os.path.join(ROOT, "build", "universe-snapshot")
BENCH = os.path.join(ROOT, "build", "universe-bench")
WITH_XVFB = os.path.join(ROOT, "scripts", "with-xvfb")
FRAMES_DIR = os.path.join(ROOT, "build-web", "test")

# A frame passes when at least this share of its pixels is equal, within a
# fuzz of 6%, to the native picture of the same moment.
MIN_EQUAL = 0.995
WAIT_S = 60
ONLY = os.environ.get("TEST_WEB_ONLY", "")

# The screens, each as URL steps and as universe-snapshot's arguments for
# the same steps; the URLs end in "pause" so that the frame stays still.
SCREENS = [
    ("intro", "scene=intro", ["--screen", "intro"]),
    ("universe-auto", "scene=universe-auto&axes=on&stars=steady&ticks=3",
     ["--screen", "universe-auto", "--axes", "on", "--stars", "steady", "--ticks", "3"]),
    ("universe-manual", "scene=universe-manual&keys=r%2Br&special=F2,left",
     ["--screen", "universe-manual", "--keys", "r+r", "--special", "F2,left"]),
    ("earth-auto", "scene=earth-auto&light=off&ticks=3",
     ["--screen", "earth-auto", "--light", "off", "--ticks", "3"]),
    # Frames over several browser frames, only the last drawn.
    ("earth-auto-sliced", "scene=earth-auto&ticks=41", ["--screen", "earth-auto", "--ticks", "41"]),
    ("earth-manual", "scene=earth-manual&keys=asr%2B",
     ["--screen", "earth-manual", "--keys", "asr+"]),
    ("matrix-universe", "scene=matrix-universe&ticks=3",
     ["--screen", "matrix-universe", "--ticks", "3"]),
    ("farewell", "scene=farewell", ["--screen", "farewell"]),
]
# Pictures for the menu and key checks.
EXTRA_SHOTS = [
    ("menu-universe-auto", ["--screen", "universe-auto"]),
    ("keys-universe-manual", ["--screen", "universe-manual", "--special", "F1", "--keys", "r+"]),
]

MAIN_MENU = ["Cenários", "Instruções Gerais", "Instruções Manuais", "Opções Extras",
             "Sair do universo"]
SCENES_MENU = ["Universo Automático", "Universo Manual",
               "Terra , Lua , Foguetão e Homem - Automático ",
               "Terra , Lua , Foguetão e Homem - Manual ",
               "Universo com matrizes - automático  ", "Menu Principal"]

CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--enable-unsafe-swiftshader", "--use-angle=swiftshader",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--no-first-run", "--window-size=1280,1024",
]


class Report:
    """Counts and prints the checks' results."""

    def __init__(self):
        self.passed = 0
        self.failed = 0

    def result(self, name, ok, detail=""):
        if ok:
            self.passed += 1
        else:
            self.failed += 1
        print(f"{'ok  ' if ok else 'FAIL'} {name}{': ' + detail if detail else ''}", flush=True)

    def run(self, name, check):
        """Runs check(), which returns (ok, detail); an exception fails it."""
        if ONLY not in name:
            return
        started = time.monotonic()
        try:
            ok, detail = check()
        except Exception as error:  # a check that breaks is a failed check
            lines = str(error).strip().splitlines()
            ok, detail = False, f"{type(error).__name__}: {lines[0] if lines else ''}"
        self.result(name, ok, f"{detail} [{time.monotonic() - started:.1f} s]")


def native_pictures(work):
    """Draws the native pictures and runs universe-bench, under one Xvfb.

    Returns the automatic Universe's median frame time in ms."""
    bench_json = os.path.join(work, "bench.json")
    # xev holds a connection for the whole script: an X server whose last
    # client leaves resets itself, and a snapshot that connects during that
    # reset fails. (The first snapshot takes far longer than xev to connect.)
    lines = ["set -e", "xev -root >/dev/null & holder=$!"]
    for name, _, args in SCREENS:
        lines.append(shell_words([SNAPSHOT] + args + ["--out", native_png(name)]))
    for name, args in EXTRA_SHOTS:
        lines.append(shell_words([SNAPSHOT] + args + ["--out", native_png(name)]))
    lines.append(shell_words([BENCH, "--screens", "universe-auto", "--warmup", "3",
                              "--frames", "20", "--json", bench_json]) + " >/dev/null")
    lines.append("kill $holder")
    script = os.path.join(work, "native.sh")
    with open(script, "w") as out:
        out.write("\n".join(lines) + "\n")
    run_group([WITH_XVFB, "bash", script])
    with open(bench_json) as data:
        return json.load(data)["screens"][0]["median_ms"]


def run_group(command):
    """Runs command in a process group of its own, which is stopped as a
    whole (Xvfb too) when this script is interrupted."""
    process = subprocess.Popen(command, start_new_session=True)
    try:
        if process.wait() != 0:
            raise subprocess.CalledProcessError(process.returncode, command)
    finally:
        if process.poll() is None:
            os.killpg(process.pid, signal.SIGTERM)
            process.wait()


def shell_words(words):
    """words as one shell command line, each word quoted."""
    return " ".join("'" + w.replace("'", "'\\''") + "'" for w in words)


def native_png(name):
    return os.path.join(FRAMES_DIR, f"native-{name}.png")


def web_png(name):
    return os.path.join(FRAMES_DIR, f"web-{name}.png")


def start_server(site):
    """Serves site on 127.0.0.1 on a free port, in a thread; returns the
    server. Nothing it serves goes into the browser's HTTP cache, so that a
    page gets what the server has or what the offline worker kept."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

        def end_headers(self):
            self.send_header("Cache-Control", "no-store")
            super().end_headers()

    handler = functools.partial(Quiet, directory=site)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def start_browser(profile, engine="chromium"):
    if engine == "firefox":
        return FirefoxDriver()
    if engine == "webkit":
        options = webdriver.WebKitGTKOptions()
        options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
        options.add_argument("--automation")
        return webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=options)
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in CHROMIUM_FLAGS + [f"--user-data-dir={profile}"]:
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


class Page:
    """The viewer's page in the browser, and the console entries seen so far."""

    def __init__(self, driver, base):
        self.driver = driver
        self.base = base
        self.console = []

    def open(self, query, base=None):
        """Loads the page with the query and waits for its start-up frames."""
        self.driver.get((base or self.base) + ("?" + query if query else ""))
        self.wait(lambda: self.js("return !!(window.universe && window.universe.ready)"),
                  "window.universe.ready")

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def wait(self, condition, what, timeout=WAIT_S):
        WebDriverWait(self.driver, timeout, poll_frequency=0.02).until(
            lambda _: condition(), f"timed out after {timeout} s waiting for {what}")

    def frames(self):
        return self.js("return window.universe.frames")

    def wait_new_frame(self, since):
        self.wait(lambda: self.frames() > since, "a new frame")

    def canvas(self):
        return self.driver.find_element(By.ID, "canvas")

    def capture(self, path):
        url = self.js("return document.getElementById('canvas').toDataURL('image/png')")
        with open(path, "wb") as out:
            out.write(base64.b64decode(url.split(",", 1)[1]))

    def read_console(self):
        self.console += self.driver.get_log("browser")

    def open_menus(self):
        """The labels of each visible pop-up menu level, in document order."""
        return self.js(
            "return [...document.querySelectorAll('div.menu')]"
            ".filter(m => m.getClientRects().length > 0)"
            ".map(m => [...m.querySelectorAll('.menu-entry')].map(e => e.textContent));")

    def menu_entry(self, label):
        for entry in self.driver.find_elements(By.CSS_SELECTOR, "div.menu .menu-entry"):
            if entry.is_displayed() and self.js("return arguments[0].textContent", entry) == label:
                return entry
        raise LookupError(f"no visible menu entry {label!r}")


def equal_share(a, b):
    """The share of pixels of a and b equal within ImageMagick's 6% fuzz."""
    done = subprocess.run(["/usr/bin/compare", "-metric", "AE", "-fuzz", "6%", a, b, "null:"],
                          capture_output=True, text=True)
    if done.returncode > 1:
        raise RuntimeError(f"compare: {done.stderr.strip()}")
    differing = float(done.stderr.split()[0])
    return 1 - differing / (800 * 600)


def frame_matches(page, name, native):
    """Captures the canvas as web-NAME.png and compares it with native."""
    page.capture(web_png(name))
    share = equal_share(web_png(name), native_png(native))
    return share >= MIN_EQUAL, f"{share * 100:.2f}% of pixels equal"


def print_load(page):
    """Prints the load time (no check: a shared machine's load sets it) of
    three visits with nothing cached (the first visit, then two with the
    HTTP cache and the offline worker bypassed): the time from the start of
    the navigation to the page's ready, by the page's own clock."""
    times = []
    for visit in range(3):
        page.driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": visit > 0})
        page.driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": visit > 0})
        page.open("")
        times.append(page.js("return performance.now()"))
    page.driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": False})
    page.driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": False})
    listed = ", ".join(f"{ms:.0f}" for ms in times)
    print(f"load: ready {min(times):.0f} ms after the navigation began (best of {listed})", flush=True)


def check_screen(page, name, query, engine="chromium"):
    """The screen reached by the URL steps, paused, against universe-snapshot's."""
    page.open(query + "&size=800x600&pause")
    return frame_matches(page, name if engine == "chromium" else f"{name}-{engine}", name)


def check_menu_labels(page):
    """A click on the paused intro opens the main menu at the pointer, with its
    exact labels; resting on "Cenários" opens the scenes submenu."""
    page.open("size=800x600&pause")
    ActionChains(page.driver).move_to_element_with_offset(page.canvas(), -300, -200).click().perform()
    page.wait(lambda: len(page.open_menus()) >= 1, "the menu")
    main = page.open_menus()[0]
    if main != MAIN_MENU:
        return False, f"main menu {main!r}"
    ActionChains(page.driver).move_to_element(page.menu_entry("Cenários")).perform()
    page.wait(lambda: len(page.open_menus()) == 2, "the scenes submenu")
    scenes = page.open_menus()[1]
    if scenes != SCENES_MENU:
        return False, f"scenes submenu {scenes!r}"
    return True, "main menu and scenes submenu"


def check_menu_choice(page):
    """Chooses the automatic Universe in the submenu left open by the labels check."""
    before = page.frames()
    ActionChains(page.driver).move_to_element(page.menu_entry("Universo Automático")).click().perform()
    page.wait_new_frame(before)
    page.wait(lambda: not page.open_menus(), "the menu to close")
    return frame_matches(page, "menu-universe-auto", "menu-universe-auto")


def check_keys(page):
    """F1, 'r' and '+' typed on the focused canvas of the paused manual
    Universe, each followed by a redraw."""
    page.open("scene=universe-manual&size=800x600&pause")
    page.js("document.getElementById('canvas').focus()")
    for key in (Keys.F1, "r", "+"):
        before = page.frames()
        ActionChains(page.driver).send_keys(key).perform()
        page.wait_new_frame(before)
    return frame_matches(page, "keys-universe-manual", "keys-universe-manual")


def check_keys_left_to_browser(page):
    """At load no focus ring (an outline) is drawn on or around the picture;
    'r' is taken from the browser, '/' and the quote (Firefox's quick find)
    and 'R' are not; the ring shows, outside the picture, once Tab brings
    the focus back to the canvas."""
    page.open("scene=universe-manual&size=800x600&pause")
    outlines = ("return ['canvas', 'stage'].map(id =>"
                " getComputedStyle(document.getElementById(id)).outlineStyle)")
    at_load = page.js(outlines)
    page.js("window.taken = []; addEventListener('keydown', e => taken.push(e.key + ':' + e.defaultPrevented))")
    ActionChains(page.driver).send_keys("r/'R").perform()
    taken = page.js("return taken")
    ActionChains(page.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).send_keys(Keys.TAB).perform()
    by_tab = page.js(outlines) + [page.js("return document.activeElement.id")]
    ok = at_load == ["none", "none"] and taken == ["r:true", "/:false", "':false", "R:false"] \
        and by_tab == ["none", "solid", "canvas"]
    return ok, f"outlines at load {at_load}, after Tab {by_tab}; keys {taken}"


# English words that the page's own Portuguese texts must not hold.
ENGLISH = {"pause", "resume", "play", "stop", "share", "copied", "copy", "keys", "loading", "error",
           "full", "screen", "exit", "restart", "again", "record", "the", "and", "could", "not",
           "address", "picture", "ended", "up", "down", "left", "right", "forward", "back", "turn"}
PAGE_TEXTS = """return [...document.querySelectorAll('body *:not(script)')].flatMap(e =>
    [...e.childNodes].filter(n => n.nodeType === 3).map(n => n.data)
    .concat([e.getAttribute('aria-label'), e.getAttribute('title')])).filter(t => t).join(' ');"""


def english_words(page):
    """The English words among the page's texts, hidden ones included."""
    return {w for w in page.js(PAGE_TEXTS).lower().replace(":", " ").split() if w in ENGLISH}


def check_bad_parameter(page):
    """An unknown screen in the address: a visible message, and the intro.
    The running intro's first frame, drawn before its light is set up, is
    unlit on the desktop too: the picture is read from the second on."""
    page.open("size=800x600&scene=nowhere&utm_source=mail")
    page.wait(lambda: page.frames() >= 2, "the intro's second frame")
    error = page.js("return window.universe.error")
    if not error:
        return False, "window.universe.error is not set"
    shown = page.js("return document.body.innerText.replace(/\\s+/g, ' ')")
    if " ".join(error.split()) not in shown:
        return False, f"message {error!r} is not visible on the page"
    ok, detail = frame_matches(page, "bad-parameter", "intro")
    return ok, f"message {error!r}; intro: {detail}"


# Makes the page's script read a command layout that its shaders do not
# fit, as after a change to web/webgl/command_stream.h alone: the group
# vertex one float longer.
LONGER_GROUP_VERTEX = """
var parse = JSON.parse;
JSON.parse = function () {
  var value = parse.apply(this, arguments);
  if (value && value.groupVertexFloats) value.groupVertexFloats += 1;
  return value;
};
"""


def check_layout_mismatch(page):
    """A layout that does not fit the page's shaders: a visible message
    naming the mismatch, not an address error, and a blank picture."""
    page.read_console()
    added = page.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                        {"source": LONGER_GROUP_VERTEX})
    try:
        page.open("scene=universe-auto&size=800x600&pause")
    finally:
        page.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", added)
    page.driver.get_log("browser")  # the refusal's own console error
    message = page.js("var m = document.getElementById('message'); return m.hidden ? '' : m.textContent")
    page.capture(web_png("layout-mismatch"))
    colours = subprocess.run(["/usr/bin/identify", "-format", "%k", web_png("layout-mismatch")],
                             capture_output=True, text=True, check=True).stdout
    ok = "group vertex" in message and page.js("return window.universe.error") is None and colours == "1"
    return ok, f"message {message!r}, {colours} colour(s) in the picture"


def check_farewell_passed(page):
    """An address that passes through the farewell to the intro: the page
    runs on (frames keep coming) and does not end."""
    page.open("scene=farewell&scene=intro&size=800x600")
    page.wait_new_frame(page.frames() + 2)
    if page.js("return !!window.universe.ended"):
        return False, "the page ended"
    return frame_matches(page, "farewell-passed", "intro")


def gpu_against_cpu(page, query, switch, name):
    """The page at query as drawn, against the same frame with the work that
    Module.`switch` names sent through the CPU's vertex processing."""
    page.open(query)
    page.capture(web_png(f"{name}-gpu"))
    before = page.frames()
    page.js(f"Module.{switch}(1)")
    page.wait_new_frame(before)
    page.capture(web_png(f"{name}-cpu"))
    page.js(f"Module.{switch}(0)")
    share = equal_share(web_png(f"{name}-gpu"), web_png(f"{name}-cpu"))
    return share >= 0.999, f"{share * 100:.2f}% of pixels equal"


def check_shader_against_cpu(page):
    """The lit, two-sided automatic Universe with its shapes transformed and
    lit by the vertex shader, against the same frame with the shapes through
    the CPU's vertex processing (which the native test compares with Mesa)."""
    return gpu_against_cpu(page, "scene=universe-auto&axes=on&stars=steady&ticks=3&pause",
                           "_webglDrawShapesOnCpu", "shapes")


def check_stars_against_cpu(page):
    """The lit automatic Universe with all its stars (steady and blinking),
    their triangles drawn by the GPU as instances of one group, against the
    same frame with them through the CPU."""
    return gpu_against_cpu(page, "scene=universe-auto&stars=steady&ticks=3&pause",
                           "_webglDrawTrianglesOnCpu", "stars")


def check_webgl1(page):
    """The page draws on WebGL 2 here; asked for WebGL 1 (webgl=1), its
    screens equal the desktop's all the same (line strips as lines, the
    stars through the instancing extension), and a context lost and given
    back stays WebGL 1 and draws the same picture again."""
    details = []
    for name, query, _ in SCREENS:
        if name not in ("universe-auto", "earth-manual", "matrix-universe"):
            continue
        page.open(query + "&size=800x600&pause")
        if page.js("return Module.universeGL.version") != 2:
            return False, f"{name}: not WebGL 2 without webgl=1"
        page.open(query + "&size=800x600&pause&webgl=1")
        if page.js("return Module.universeGL.version") != 1:
            return False, f"{name}: not WebGL 1 with webgl=1"
        ok, detail = frame_matches(page, f"{name}-webgl1", name)
        details.append(f"{name}: {detail}")
        if not ok:
            return False, "; ".join(details)
    before = page.frames()
    page.js("window.loseContext = Module.universeGL.gl.getExtension('WEBGL_lose_context');"
            "window.loseContext.loseContext();")
    page.wait(lambda: page.js("return Module.universeGL.lost"), "the context lost")
    page.js("window.loseContext.restoreContext();")
    page.wait(lambda: not page.js("return Module.universeGL.lost"), "the context back")
    page.wait_new_frame(before)
    if page.js("return Module.universeGL.gl instanceof WebGL2RenderingContext"):
        return False, "the context came back as WebGL 2"
    ok, detail = frame_matches(page, "matrix-universe-webgl1-restored", "matrix-universe")
    return ok, "; ".join(details + [f"given back: {detail}"])


def emulate(page, width, height, ratio, touch=False):
    """Emulates a screen of width x height CSS pixels (None: the window's)."""
    if width is None:
        page.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
    else:
        page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": ratio, "mobile": touch})
    page.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": touch})


LAYOUT = """var c = document.getElementById('canvas'), s = document.getElementById('stage');
return [c.width, c.height, s.clientWidth, s.clientHeight, document.documentElement.scrollHeight,
        innerHeight, document.getElementById('pause').getBoundingClientRect().bottom];"""


def check_fill(page):
    """A laptop's view at 2 device pixels per CSS pixel: the canvas takes
    the stage at device pixels and nothing scrolls; a resize reshapes."""
    try:
        emulate(page, 1366, 657, 2)
        page.open("scene=universe-auto&pause")
        width, height, stage_w, stage_h, scroll, view, pause = page.js(LAYOUT)
        if (width, height) != (stage_w * 2, stage_h * 2) or scroll > view or pause > view:
            return False, f"canvas {width}x{height}, stage {stage_w}x{stage_h}, page {scroll}/{view}"
        emulate(page, 700, 500, 1)
        page.wait(lambda: page.js(LAYOUT)[:2] == page.js(LAYOUT)[2:4], "the reshape to 700 x 500")
        return True, f"{width}x{height} device pixels at 1366x657, then {page.js(LAYOUT)[:2]}"
    finally:
        emulate(page, None, None, 1)


def check_long_address(page):
    """ticks=1000000: for three seconds no task of the page (the browser's
    long-task entries) takes half a second, and the progress shows."""
    page.driver.get(page.base + "?scene=universe-auto&ticks=1000000")
    page.js("window.longest = 0; new PerformanceObserver(list => list.getEntries().forEach(e =>"
            " window.longest = Math.max(window.longest, e.duration))).observe({type: 'longtask', buffered: true});")
    time.sleep(3)
    longest, progress, shown, frame_ms = page.js(
        "return [window.longest, window.universe.progress, !document.getElementById('progress').hidden,"
        " window.universe.frameMs.slice().sort((a, b) => a - b)[window.universe.frameMs.length >> 1] || 0];")
    ok = longest < 500 and 0 < progress < 1 and shown
    return ok, f"longest task {longest:.0f} ms, progress {progress:.4f} shown: {shown}, unseen frame {frame_ms:.0f} ms"


def check_file(page, site):
    """The site opened as a file: the WebAssembly comes from universe-wasm.js."""
    page.open("scene=earth-auto&light=off&ticks=3&size=800x600&pause",
              "file://" + os.path.join(site, "index.html"))
    return frame_matches(page, "file", "earth-auto")


def tap(page, x, y, move=0):
    send = functools.partial(page.driver.execute_cdp_cmd, "Input.dispatchTouchEvent")
    send({"type": "touchStart", "touchPoints": [{"x": x, "y": y}]})
    if move:
        send({"type": "touchMove", "touchPoints": [{"x": x, "y": y + move}]})
    send({"type": "touchEnd", "touchPoints": []})
    time.sleep(0.3)


def check_phone_menu(page):
    """A phone: the key bar shows a button 44 px tall or more for each key
    the program gives; a swipe opens no menu, a tap does; each submenu stays
    inside the screen, in place of its parent, with entries 44 px tall or more."""
    try:
        emulate(page, 390, 844, 3, True)
        page.open("pause")
        keys, heights = page.js("return [JSON.parse(Module.UTF8ToString(Module._universeKeyBarJson())).length,"
                                " [...document.querySelectorAll('#keybar button')].map(b => b.offsetHeight)]")
        if not keys or len(heights) != keys or min(heights) < 44:
            return False, f"{keys} keys, key bar buttons {heights} px tall"
        tap(page, 200, 300, move=80)
        if page.open_menus():
            return False, "a swipe opened the menu"
        for label in (None, "Cenários", "Voltar", "Instruções Gerais"):
            if label:
                box = page.js("return arguments[0].getBoundingClientRect()", page.menu_entry(label))
                tap(page, box["x"] + box["width"] / 2, box["y"] + box["height"] / 2)
            else:
                tap(page, 200, 300)
            boxes = page.js("""return [...document.querySelectorAll('div.menu')]
                .filter(m => m.getClientRects().length).map(m => [m.getBoundingClientRect().left,
                m.getBoundingClientRect().right, Math.min(...[...m.children].map(e => e.offsetHeight))]);""")
            if len(boxes) != 1 or boxes[0][0] < 0 or boxes[0][1] > 390 or boxes[0][2] < 44:
                return False, f"after {label}: menus at {boxes}"
        return True, "scenes and help submenus inside 390 px, entries >= 44 px"
    finally:
        emulate(page, None, None, 1)


def check_keyboard_menu(page):
    """Shift+F10, then the menu keys: no key reaches the viewer while a menu
    is open (the viewer's keys included: after Escape the picture and the
    state are as before, and the focus is back on the canvas); the Menu
    button says whether the menu is open, and Escape gives it back the
    focus; Enter chooses; then keys reach the viewer from a focused button.
    The page's texts are Portuguese in each state."""
    page.open("scene=universe-manual&size=800x600&pause")
    before = page.frames()
    state = "return Module.UTF8ToString(Module._universeShareQuery())"
    before_state, english = page.js(state), english_words(page)
    page.capture(web_png("keyboard-menu-before"))
    focused = "return document.activeElement.textContent"
    keys = ActionChains(page.driver)
    keys.key_down(Keys.SHIFT).send_keys(Keys.F10).key_up(Keys.SHIFT).send_keys(Keys.ARROW_DOWN).perform()
    seen = [page.js(focused)]
    for key in (Keys.ARROW_RIGHT, Keys.ARROW_DOWN, Keys.ARROW_LEFT, Keys.ARROW_DOWN, Keys.ARROW_UP):
        ActionChains(page.driver).send_keys(key).perform()
        seen.append(page.js(focused))
    expected = ["Cenários", "Universo Automático", "Universo Manual", "Cenários", "Instruções Gerais",
                "Cenários"]
    ActionChains(page.driver).send_keys("r", "+", Keys.F1).perform()
    english |= english_words(page)
    ActionChains(page.driver).send_keys(Keys.ESCAPE).perform()
    page.capture(web_png("keyboard-menu-after"))
    share = equal_share(web_png("keyboard-menu-before"), web_png("keyboard-menu-after"))
    after = [page.frames(), page.js(state), page.js("return document.activeElement.id"), page.open_menus()]
    if seen != expected or after != [before, before_state, "canvas", []] or share != 1:
        return False, f"focus went {seen}; frames, state, focus, menus {after}; {share * 100:.2f}% equal"
    expanded = "return document.getElementById('menu-button').getAttribute('aria-expanded')"
    page.js("document.getElementById('menu-button').focus()")
    ActionChains(page.driver).send_keys(Keys.ENTER).perform()
    menu_button = [page.js(expanded)]
    ActionChains(page.driver).send_keys(Keys.ESCAPE).perform()
    menu_button += [page.js(expanded), page.js("return document.activeElement.id")]
    if menu_button != ["true", "false", "menu-button"]:
        return False, f"Menu button: aria-expanded open, closed, focus: {menu_button}"
    ActionChains(page.driver).key_down(Keys.SHIFT).send_keys(Keys.F10).key_up(Keys.SHIFT).send_keys(
        Keys.ARROW_DOWN, Keys.ENTER, Keys.ENTER).perform()
    page.wait(lambda: not page.open_menus(), "the menu to close")
    page.driver.find_element(By.ID, "pause").click()
    page.js("document.getElementById('pause').focus()")
    drawn = page.frames()
    ActionChains(page.driver).send_keys("r").perform()
    page.wait_new_frame(drawn)
    page.driver.find_element(By.ID, "share").click()
    english |= english_words(page)
    if english:
        return False, f"English on the page: {sorted(english)}"
    return True, ("viewer keys held back under the menu, Escape gave the focus back, "
                  "Universo Automático chosen, 'r' reached the viewer from a button, texts in Portuguese")


def check_share(page):
    """The earth scene chosen from the menu after a while on the intro,
    keys, running ticks, pause: Partilhar's address shows the same picture."""
    page.open("size=800x600")
    page.wait(lambda: page.frames() >= 7, "frames on the intro")
    ActionChains(page.driver).key_down(Keys.SHIFT).send_keys(Keys.F10).key_up(Keys.SHIFT).send_keys(
        Keys.ARROW_DOWN, Keys.ENTER, Keys.ARROW_DOWN, Keys.ARROW_DOWN, Keys.ENTER).perform()
    page.wait_new_frame(page.frames())
    ActionChains(page.driver).send_keys("a", Keys.F1, "x").perform()
    drawn = page.frames()
    page.wait(lambda: page.frames() >= drawn + 5, "ticks")
    page.driver.find_element(By.ID, "pause").click()
    page.driver.find_element(By.ID, "share").click()
    link = page.js("return window.universe.link")
    if page.js("return location.href") != link:
        return False, f"address bar {page.js('return location.href')!r}, link {link!r}"
    page.capture(web_png("share-before"))
    page.open(link.split("?", 1)[1])
    page.capture(web_png("share-after"))
    share = equal_share(web_png("share-before"), web_png("share-after"))
    return share == 1, f"{link.split('?', 1)[1]}: {share * 100:.2f}% of pixels equal"


def check_record(page):
    """Gravar on the running automatic Universe, Parar after three seconds
    and eight frames or more: the browser downloads the clip, named after
    the screen, into build-web/test/, and ffprobe reads in it a video of the
    drawing buffer's size with three frames or more."""
    page.driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": FRAMES_DIR})
    page.open("scene=universe-auto&size=320x240")
    button = page.driver.find_element(By.ID, "record")
    button.click()
    started, drawn = time.monotonic(), page.frames()
    page.wait(lambda: page.frames() >= drawn + 8 and time.monotonic() > started + 3, "eight frames recorded")
    label = button.text
    button.click()
    clip = os.path.join(FRAMES_DIR, "universo3d-universe-auto.webm")
    page.wait(lambda: os.path.exists(clip), f"the download of {os.path.basename(clip)}")
    probe = subprocess.run(["ffprobe", "-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                            "stream=width,height,nb_read_frames", "-of", "csv=p=0", clip],
                           capture_output=True, text=True, check=True)
    width, height, frames = (int(n) for n in probe.stdout.split(","))
    ok = label.startswith("Parar") and (width, height) == (320, 240) and frames >= 3
    return ok, f"{label!r} while recording; {os.path.basename(clip)}: {width}x{height}, {frames} frames"


def colour_count(path):
    return int(subprocess.run(["/usr/bin/identify", "-format", "%k", path], capture_output=True, text=True,
                              check=True).stdout)


def check_calls(page, engine="chromium"):
    """Chamadas on the paused matrix Universe (through scripts only, as
    every engine's driver allows): the panel lists the frame's calls
    numbered from 1, showing only some rows; the picture cut right after
    glClear is one colour, a cut half way is not, a cut past the end is
    the whole frame; Escape closes the panel, and the picture and the
    viewer's state (paused, the screen) are as before."""
    page.open("scene=matrix-universe&ticks=3&size=800x600&pause")
    state = "return [window.universe.paused, Module.UTF8ToString(Module._universeShareQuery())]"
    before = page.js(state)
    page.capture(web_png(f"calls-before-{engine}"))
    page.js("document.getElementById('calls').click()")
    page.wait(lambda: page.js("return !!document.querySelector('#calls-rows [role=option]')"), "the list")
    calls = page.js("return window.universe.frameCalls()")
    rows = page.js("return document.querySelectorAll('#calls-rows [role=option]:not([hidden])').length")
    numbers = [int(line.split(" ", 1)[0]) for line in calls]
    clear = next(n for n, line in zip(numbers, calls) if line.split()[1].startswith("glClear("))
    colours = []
    for cut in (clear, len(calls) // 2, len(calls) + 100):
        page.js("window.universe.showCallsUpTo(arguments[0])", cut)
        page.capture(web_png(f"calls-{engine}-{len(colours)}"))
        colours.append(colour_count(web_png(f"calls-{engine}-{len(colours)}")))
    whole = equal_share(web_png(f"calls-before-{engine}"), web_png(f"calls-{engine}-2"))
    page.js("document.getElementById('calls-list').dispatchEvent("
            "new KeyboardEvent('keydown', {key: 'Escape', bubbles: true}))")
    page.wait(lambda: page.js("return document.getElementById('calls-panel').hidden"), "the panel to close")
    page.wait(lambda: page.js("return document.getElementById('canvas').width") == 800, "the picture")
    page.capture(web_png(f"calls-after-{engine}"))
    after = equal_share(web_png(f"calls-before-{engine}"), web_png(f"calls-after-{engine}"))
    ok = numbers == list(range(1, len(calls) + 1)) and 0 < rows < 200 and colours[0] == 1 < colours[1] \
        and whole == 1 and after == 1 and page.js(state) == before
    return ok, (f"{len(calls)} calls, {rows} rows made; colours cut after glClear ({clear}), half way, "
                f"past the end: {colours}; whole frame {whole * 100:.2f}%, after closing {after * 100:.2f}% "
                f"equal; paused, screen {before} -> {page.js(state)}")


def check_app(page, site):
    """Chromium finds the page installable; after one visit over HTTP the
    offline worker has the site, and with the server stopped a reload is
    served by it and draws the same picture."""
    server = start_server(site)
    base = f"http://127.0.0.1:{server.server_address[1]}/index.html"
    try:
        page.open("size=800x600&pause", base)
        page.js("navigator.serviceWorker.ready.then(() => window.workerReady = true)")
        page.wait(lambda: page.js("return !!window.workerReady"), "the offline worker")
        errors = page.driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]
    finally:
        server.shutdown()
        server.server_close()
    page.open("scene=earth-auto&light=off&ticks=3&size=800x600&pause", base)
    served = page.js("return !!navigator.serviceWorker.controller")
    ok, detail = frame_matches(page, "offline", "earth-auto")
    return ok and served and not errors, f"installability errors {errors}; offline, worker in control: {served}, {detail}"


def check_update(page, site):
    """Release A served at .../universo3d/ and visited; then a half-copied
    release (a file unlike its digest), which never installs; then release
    B: the folder's address still gives A's page and stylesheet, and the
    update notice's button B's, with one cache left for the scope."""
    release = ("return [document.lastChild.nodeType === 8 ? document.lastChild.nodeValue : 'A',"
               " getComputedStyle(document.body).getPropertyValue('--release').trim() || 'A']")
    with tempfile.TemporaryDirectory(prefix="test-web-update-") as work:
        def copy(name, marked):  # the site; marked: its page and stylesheet marked B, digests rewritten
            folder = os.path.join(work, name, "universo3d")
            shutil.copytree(site, folder)
            for file, line in (("index.html", "<!--B-->"), ("page.css", "body { --release: B; }")) if marked else ():
                with open(os.path.join(folder, file), "a") as out:
                    out.write(line + "\n")
            subprocess.run([os.path.join(ROOT, "scripts", "site-digests"), folder], check=True)
            return folder
        copy("A", False)
        copy("B", True)
        with open(os.path.join(copy("half", True), "page.css"), "a") as out:
            out.write("/* not the file of its digest */\n")
        server = start_server(os.path.join(work, "live"))
        base = f"http://127.0.0.1:{server.server_address[1]}/universo3d/"

        def serve(name):  # switches the server to release NAME and opens the folder's address
            os.symlink(name, os.path.join(work, "next"))
            os.replace(os.path.join(work, "next"), os.path.join(work, "live"))
            page.open("size=320x240&pause", base)
            return [page.js(release), page.js("return !!navigator.serviceWorker.controller")]
        try:
            serve("A")
            page.js("navigator.serviceWorker.ready.then(() => window.workerReady = true)")
            page.wait(lambda: page.js("return !!window.workerReady"), "the offline worker")
            seen = [serve("half")]
            page.js("""navigator.serviceWorker.getRegistration().then(r => r.update()).then(r => {
                const w = r.installing;
                w.onstatechange = () => { if (w.state !== 'installing') window.installed = w.state; }; })""")
            page.wait(lambda: page.js("return window.installed"), "the half release's install")
            seen += [page.js("return window.installed"), serve("B")]
            if seen != [[["A", "A"], True], "redundant", [["A", "A"], True]]:
                return False, f"half release, then B: page, stylesheet, worker, install: {seen}"
            page.wait(lambda: page.js("return !!document.querySelector('#update button')"), "the update notice")
            page.driver.find_element(By.CSS_SELECTOR, "#update button").click()
            page.wait(lambda: page.js(release)[0] == "B", "release B's page")
            page.wait(lambda: page.js("return !!(window.universe && window.universe.ready)"), "release B's viewer")
            page.js("caches.keys().then(names => window.cacheNames = names)")
            page.wait(lambda: page.js("return window.cacheNames"), "the cache names")
            caches = [name for name in page.js("return window.cacheNames") if base in name]
            ok = page.js(release) == ["B", "B"] and len(caches) == 1
            return ok, f"A kept until the notice's button, then {page.js(release)}; caches of the scope {caches}"
        finally:
            server.shutdown()
            server.server_close()


def check_console(page):
    """No error (SEVERE entry) in the browser's console over the whole run."""
    page.read_console()
    severe = [entry for entry in page.console if entry.get("level") == "SEVERE"]
    for entry in severe:
        print(f"     console: {entry.get('message')}")
    return not severe, f"{len(page.console)} console entries, {len(severe)} errors"


def browser_frame_ms(page):
    """The automatic Universe's frame times on a running page, after ten
    frames of warm-up (the first frames run while WebAssembly is still being
    optimised): the median of the display calls of the next 20 frames or
    more (window.universe.frameMs) and the mean time between their swaps."""
    page.open("scene=universe-auto&size=800x600")
    page.wait(lambda: page.frames() >= 10, "ten frames", 120)
    first, started = page.frames(), time.monotonic()
    page.wait(lambda: page.frames() >= first + 20, "20 more frames", 120)
    times = page.js("return window.universe.frameMs.slice()")
    count = min(len(times), page.frames() - first)
    between = (time.monotonic() - started) * 1000 / count
    return statistics.median(times[-count:]), count, between


# A course's page (served from another port, so another origin): frame a
# in view, a sibling frame c of the host's origin, frame b far below.
HOST_PAGE = """<!DOCTYPE html><meta charset="utf-8"><link rel="icon" href="data:,"><body style="margin:0">
<iframe id="a" src="{base}?embed&scene=universe-auto&size=320x240" width="320" height="240"></iframe>
<iframe id="c" srcdoc="<script>function poke(w) {{ w.postMessage({{universe: 'resume'}}, '*'); }}</script>"></iframe>
<iframe id="b" src="{base}?embed&scene=universe-auto" width="320" height="240" style="display:block;margin-top:3000px"></iframe>
<script>var got = []; addEventListener('message', e => got.push([e.source === a.contentWindow ? 'a' : 'b', e.data]));
function send(id, data) {{ document.getElementById(id).contentWindow.postMessage(data, '*'); }}</script>"""


def in_frame(page, frame, script):
    """Runs script in the host page's frame (by id) where the driver can
    enter a frame of another origin (not the Firefox driver): else None."""
    if not hasattr(page.driver, "switch_to"):
        return None
    page.driver.switch_to.frame(page.driver.find_element(By.ID, frame))
    try:
        return page.js(script)
    finally:
        page.driver.switch_to.default_content()


def check_embed_host(page):
    """Frame a tells ready and its scene; the API chooses a scene, pauses,
    presses a key, and an unknown key gets the page's message back; a
    message from frame c and malformed ones change nothing. Frame b, out of
    view, starts only when scrolled into view, and scrolled away again it
    draws nothing and its state stands still while frame a draws."""
    with tempfile.TemporaryDirectory(prefix="test-web-host-") as folder:
        with open(os.path.join(folder, "host.html"), "w") as out:
            out.write(HOST_PAGE.format(base=page.base))
        server = start_server(folder)
        try:
            page.driver.get(f"http://127.0.0.1:{server.server_address[1]}/host.html")
            return host_checks(page)
        finally:
            server.shutdown()
            server.server_close()


def host_checks(page):
    got = lambda: page.js("return got")
    told = lambda entry: page.wait(lambda: entry in got(), f"{entry} from the frame")
    told(["a", {"universe": "scene", "name": "universe-auto"}])
    for data, answer in (({"universe": "scene", "name": "earth-auto"}, {"universe": "scene", "name": "earth-auto"}),
                         ({"universe": "pause"}, {"universe": "paused", "paused": True})):
        page.js("send('a', arguments[0])", data)
        told(["a", answer])
    page.js("send('a', {universe: 'key', key: 'r'}); send('a', {universe: 'key', key: 'q'})")
    page.wait(lambda: any(e[1]["universe"] == "error" for e in got()), "the error")
    error = [e[1]["message"] for e in got() if e[1]["universe"] == "error"][0]
    shown = "return [document.getElementById('message').textContent, Module.UTF8ToString(Module._universeShareQuery())]"
    if in_frame(page, "a", shown):
        page.wait(lambda: "keys=r" in in_frame(page, "a", shown)[1], "the key r in frame a's address")
    if "keys" not in error or not (in_frame(page, "a", shown) or [error])[0].startswith(error):
        return False, f"error {error!r}, frame a shows {in_frame(page, 'a', shown)}"
    count = len(got())
    page.js("c.contentWindow.poke(a.contentWindow); send('a', 'resume');"
            "send('a', {universe: 'scene', name: 7}); send('a', {universe: 'eval', code: 'resume'});"
            "send('a', {universe: 'key', key: '?'})")
    page.wait(lambda: len(got()) > count, "the second error")
    if got()[count:] != [["a", {"universe": "error", "message": got()[count][1].get("message")}]]:
        return False, f"after foreign and malformed messages: {got()[count:]}"
    if any(entry[0] == "b" for entry in got()):
        return False, "frame b, out of view, started"
    page.js("b.scrollIntoView(); send('a', {universe: 'resume'})")
    told(["b", {"universe": "ready"}])
    page.js("scrollTo(0, 0)")
    frame_b = "return window.universe.quiet && [window.universe.frames, Module.UTF8ToString(Module._universeShareQuery())]"
    if in_frame(page, "b", frame_b) is None:
        return True, "API and messages (frame state not readable in this driver)"
    page.wait(lambda: in_frame(page, "b", frame_b), "frame b quiet")
    still = in_frame(page, "b", frame_b)
    drawn = in_frame(page, "a", "return window.universe.frames")
    page.wait(lambda: in_frame(page, "a", "return window.universe.frames") >= drawn + 3, "frame a to draw")
    after = in_frame(page, "b", frame_b)
    return after == still, f"API, foreign and malformed messages; out of view frame b at {still}, then {after}"


def check_embed_code(page):
    """Incorporar's code, pasted into a page of the site, shows the same
    picture as the viewer's own page."""
    page.open("scene=earth-manual&keys=as&special=F7&size=320x240&pause")
    page.js("document.getElementById('embed-code').click()")
    code = page.js("return window.universe.embedCode")
    page.capture(web_png("embed-code-page"))
    page.driver.get(page.base.replace("index.html", "embed-example.html"))
    page.js("document.body.innerHTML = arguments[0]", code)
    frame = "document.querySelector('iframe').contentWindow"
    page.wait(lambda: page.js(f"return !!({frame}.universe && {frame}.universe.ready)"), "the embed's start")
    url = page.js(f"return {frame}.document.getElementById('canvas').toDataURL('image/png')")
    with open(web_png("embed-code-frame"), "wb") as out:
        out.write(base64.b64decode(url.split(",", 1)[1]))
    share = equal_share(web_png("embed-code-page"), web_png("embed-code-frame"))
    return share == 1, f"{code}: {share * 100:.2f}% of pixels equal"


EMBED_CHECKS = [("embed: host page's API, foreign messages, frame out of view", check_embed_host),
                ("embed: Incorporar's code shows the same picture", check_embed_code)]


def run_checks(page, report, site):
    if not ONLY:
        print_load(page)
    page.read_console()
    for name, query, _ in SCREENS:
        report.run(f"screen {name}", lambda: check_screen(page, name, query))
        page.read_console()
    report.run("menu: labels", lambda: check_menu_labels(page))
    report.run("menu: Universo Automático chosen", lambda: check_menu_choice(page))
    page.read_console()
    report.run("keys: F1 r + on the paused manual Universe", lambda: check_keys(page))
    report.run("keys: only the viewer's taken; focus ring only by keyboard", lambda: check_keys_left_to_browser(page))
    page.read_console()
    report.run("bad parameter: message and intro", lambda: check_bad_parameter(page))
    report.run("layout: a mismatch refuses to draw, with a message", lambda: check_layout_mismatch(page))
    page.read_console()
    report.run("farewell passed through: the page runs on", lambda: check_farewell_passed(page))
    report.run("shapes: vertex shader as the CPU", lambda: check_shader_against_cpu(page))
    report.run("stars: instances on the GPU as the CPU", lambda: check_stars_against_cpu(page))
    report.run("WebGL 1: screens as the desktop's, also after a lost context", lambda: check_webgl1(page))
    report.run("fill: device pixels, no scrolling, reshape", lambda: check_fill(page))
    report.run("long address: page answers", lambda: check_long_address(page))
    report.run("opened as a file", lambda: check_file(page, site))
    report.run("phone: key bar, tap, swipe, submenus inside the screen", lambda: check_phone_menu(page))
    report.run("keyboard menu", lambda: check_keyboard_menu(page))
    report.run("share: the address shows the same picture", lambda: check_share(page))
    report.run("record: Gravar downloads a clip of the running scene", lambda: check_record(page))
    report.run("app: installable, offline after one visit", lambda: check_app(page, site))
    report.run("app: a new release only after the update notice", lambda: check_update(page, site))
    report.run("calls panel: lists, cuts, closes as before", lambda: check_calls(page))
    for name, check in EMBED_CHECKS:
        report.run(name, lambda: check(page))
    page.read_console()


def check_engine(engine, base, work, report):
    """The screens, the calls panel and the embedded view in another engine, in one browser."""
    names = ([f"screen {name}" for name, _, _ in SCREENS] + ["calls panel"]
             + [name for name, _ in EMBED_CHECKS])
    if not any(ONLY in f"{name} ({engine})" for name in names):
        return
    driver = None
    try:
        driver = start_browser(os.path.join(work, engine), engine)
        page = Page(driver, base)
        for name, query, _ in SCREENS:
            report.run(f"screen {name} ({engine})", lambda: check_screen(page, name, query, engine))
        report.run(f"calls panel ({engine})", lambda: check_calls(page, engine))
        for name, check in EMBED_CHECKS:
            report.run(f"{name} ({engine})", lambda: check(page))
    except Exception as error:
        report.result(engine, False, f"{type(error).__name__}: {error}")
    finally:
        if driver is not None:
            driver.quit()


def print_frame_times(page, native_ms):
    """Prints the browser's frame time against the native one (no check)."""
    try:
        web_ms, count, between = browser_frame_ms(page)
    except Exception as error:
        print(f"frame time, automatic Universe: not measured ({type(error).__name__})")
        return
    print(f"frame time, automatic Universe: browser {web_ms:.1f} ms (median of {count} display "
          f"calls; {between:.0f} ms between swaps), native {native_ms:.1f} ms (universe-bench): "
          f"ratio {web_ms / native_ms:.2f}", flush=True)


def test(site, work, report):
    """The native pictures, every check in Chromium, then the screens in
    the other engines."""
    started = time.monotonic()
    try:
        native_ms = native_pictures(work)
    except Exception as error:
        report.result("native pictures (universe-snapshot, universe-bench)", False, str(error))
        return
    print(f"test-web: native pictures and bench: {time.monotonic() - started:.0f} s", flush=True)
    server = start_server(site)
    base = f"http://127.0.0.1:{server.server_address[1]}/index.html"
    driver = None
    try:
        driver = start_browser(os.path.join(work, "profile"))
        page = Page(driver, base)
        run_checks(page, report, site)
        if not ONLY:
            print_frame_times(page, native_ms)
        report.run("console: no errors", lambda: check_console(page))
    except Exception as error:
        report.result("browser", False, f"{type(error).__name__}: {error}")
    finally:
        if driver is not None:
            driver.quit()
    # xev holds the display, which would reset between the browsers.
    holder = subprocess.Popen(["xev", "-root"], stdout=subprocess.DEVNULL)
    try:
        for engine in ("firefox", "webkit"):
            check_engine(engine, base, work, report)
    finally:
        holder.terminate()
        server.shutdown()
        server.server_close()

def main():
    site = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build-web", "site"))
    # Clean up (the finally blocks) on SIGTERM as on Ctrl-C.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    started = time.monotonic()
    report = Report()
    shutil.rmtree(FRAMES_DIR, ignore_errors=True)
    os.makedirs(FRAMES_DIR)
    with tempfile.TemporaryDirectory(prefix="test-web-") as work:
        test(site, work, report)
    print(f"test-web: {time.monotonic() - started:.0f} s")
    print(f"web: {report.passed} passed, {report.failed} failed")
    return 1 if report.failed else 0


if __name__ == "__main__":
    sys.exit(main())
