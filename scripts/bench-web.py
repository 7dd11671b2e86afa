"""The browser build's benchmark, run by scripts/bench-web.

For each scene (universe-auto, earth-auto, matrix-universe), RUNS times
and interleaved (each run measures every site in every engine and the
native viewer one after the other, so that the machine's other load falls
on all alike):
- the page's time between swaps and its display callback's own time
  (window.universe.frameMs), over FRAMES frames after ten of warm-up;
- the bytes the page uploads to WebGL per frame (bufferData and
  bufferSubData), its draw calls and the vertices those submit per frame
  (indices or array vertices, times the instances), counted by wrappers
  put on the page's WebGL context once it is running;
- in Firefox, the page faults of all its processes per frame: its time
  between swaps on Mesa follows its WebGL thread's faults, so the two are
  printed side by side;
- universe-bench's frame (llvmpipe under Xvfb) for the same scene.
The engines: Chromium (SwiftShader, headless, through Selenium) and
Firefox ESR (headed on the X display, drawing WebGL with Mesa's llvmpipe,
the rasteriser universe-bench uses: the fair comparison; the canvas at
universe-bench's 800 x 600). Then, in Chromium, on the running automatic
Universe, the time from a click on the canvas to the pop-up menu on the
page (the event's own time stamp to the moment the menu's element is
shown). Prints the medians and their ratios to universe-bench's frame;
with two sites, each site's display callback to the other's too.

    /usr/bin/python3 scripts/bench-web.py [--runs N] [--frames N]
        [--engines chromium,firefox] [SITE_DIR...]
"""

import argparse
import importlib.util
import json
import os
import statistics
import subprocess
import tempfile
import sys
import time

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BENCH = os.path.join(ROOT, "build", "universe-bench")
WITH_XVFB = os.path.join(ROOT, "scripts", "with-xvfb")
SCENES = ["universe-auto", "earth-auto", "matrix-universe"]

# The page test's server and browser, with its flags.
_spec = importlib.util.spec_from_file_location(
    "test_web", os.path.join(ROOT, "scripts", "test-web.py"))
test_web = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(test_web)

sys.path.insert(0, os.path.join(ROOT, "scripts"))
from firefox_driver import FirefoxDriver  # noqa: E402

# Counts what the page hands to WebGL: wraps the methods of the page's own
# context (WebGL 2's instanced draws included) and WebGL 1's instancing
# extension (Module.universeGL), once it runs.
COUNTERS = """
var G = Module.universeGL, c = window.benchCounters = {bytes: 0, draws: 0, vertices: 0};
function count(object, name, measure) {
  if (!object || object['bench' + name]) return;
  var original = object[name];
  object['bench' + name] = true;
  object[name] = function () {
    measure(arguments);
    return original.apply(this, arguments);
  };
}
function size(data) { return data && data.byteLength !== undefined ? data.byteLength : 0; }
count(G.gl, 'bufferData', function (a) { c.bytes += size(a[1]); });
count(G.gl, 'bufferSubData', function (a) { c.bytes += size(a[2]); });
count(G.gl, 'drawElements', function (a) { c.draws++; c.vertices += a[1]; });
count(G.gl, 'drawArrays', function (a) { c.draws++; c.vertices += a[2]; });
count(G.gl, 'drawElementsInstanced', function (a) { c.draws++; c.vertices += a[1] * a[4]; });
count(G.gl, 'drawArraysInstanced', function (a) { c.draws++; c.vertices += a[2] * a[3]; });
count(G.instancing, 'drawElementsInstancedANGLE',
      function (a) { c.draws++; c.vertices += a[1] * a[4]; });
count(G.instancing, 'drawArraysInstancedANGLE',
      function (a) { c.draws++; c.vertices += a[2] * a[3]; });
"""

# Records when a press on the canvas happened, when a menu's element first
# showed, and the press's event timing: its time to the next paint after its
# handlers ran, when the menu reaches the screen.
MENU_WATCH = """
window.benchMenu = {pressed: null, shown: null, painted: null};
new PerformanceObserver(function (list) {
  list.getEntries().forEach(function (entry) {
    if (entry.name === 'pointerdown') window.benchMenu.painted = entry.duration;
  });
}).observe({type: 'event', durationThreshold: 16});
document.getElementById('canvas').addEventListener('pointerdown', function (event) {
  window.benchMenu.pressed = event.timeStamp;
}, true);
new MutationObserver(function () {
  if (window.benchMenu.pressed === null || window.benchMenu.shown !== null) return;
  var menus = [...document.querySelectorAll('div.menu')].filter(m => m.getClientRects().length);
  if (menus.length) window.benchMenu.shown = performance.now();
}).observe(document.body, {childList: true, subtree: true, attributes: true});
"""


def start_browser(engine, profile):
    if engine == "firefox":
        return FirefoxDriver()
    return test_web.start_browser(profile)


def wait_for(js, condition, what, timeout=300):
    """Polls condition() (any driver: Firefox's has no WebDriverWait)."""
    deadline = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > deadline:
            raise TimeoutError(f"timed out waiting for {what}")
        time.sleep(0.02)


def process_faults(root):
    """Page faults (minor and major) so far of the process `root` and all
    its descendants, from /proc."""
    parents, faults = {}, {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as stat:
                # The fields after the command's closing parenthesis: state, ppid, ...
                fields = stat.read().rsplit(")", 1)[1].split()
        except OSError:
            continue  # gone meanwhile
        parents[int(entry)] = int(fields[1])
        faults[int(entry)] = int(fields[7]) + int(fields[9])  # minflt, majflt
    total = 0
    for pid, count in faults.items():
        ancestor = pid
        while ancestor not in (root, 0, 1) and ancestor in parents:
            ancestor = parents[ancestor]
        if ancestor == root:
            total += count
    return total


def browser_faults(driver):
    """The browser's page faults so far (Firefox, whose driver started it),
    or None."""
    process = getattr(driver, "process", None)
    return process_faults(process.pid) if process else None


def measure_page(driver, base, scene, frames, size=None):
    """Opens the scene running and returns its per-frame figures."""
    js = driver.execute_script
    driver.get(f"{base}?scene={scene}" + (f"&size={size}" if size else ""))
    wait_for(js, lambda: js("return !!(window.universe && window.universe.ready)"), "ready")
    js(COUNTERS)
    wait_for(js, lambda: js("return window.universe.frames") >= 10, "ten frames")
    # The start and its frame count together: the page may swap between two calls.
    faults = browser_faults(driver)
    first = js("var c = window.benchCounters; c.bytes = c.draws = c.vertices = 0;"
               "window.benchStart = performance.now(); return window.universe.frames;")
    wait_for(js, lambda: js("return window.universe.frames") >= first + frames, "frames")
    if faults is not None:
        faults = browser_faults(driver) - faults
    result = js("""
        var u = window.universe, c = window.benchCounters;
        return {frames: u.frames, elapsed: performance.now() - window.benchStart,
                display: u.frameMs.slice(), bytes: c.bytes, draws: c.draws,
                vertices: c.vertices};""")
    count = result["frames"] - first
    return {
        "between_ms": result["elapsed"] / count,
        "display_ms": statistics.median(result["display"][-count:]),
        "bytes": result["bytes"] / count,
        "draws": result["draws"] / count,
        "vertices": result["vertices"] / count,
        "faults": faults / count if faults is not None else float("nan"),
    }


def measure_menu(driver, base):
    """Milliseconds from a press on the running automatic Universe to its
    menu: on the page, and on the screen (the press's event timing; events
    that take under 16 ms report none, so that counts as 16)."""
    js = driver.execute_script
    driver.get(f"{base}?scene=universe-auto")
    wait_for(js, lambda: js("return !!(window.universe && window.universe.ready)"), "ready")
    wait_for(js, lambda: js("return window.universe.frames") >= 5, "five frames")
    js(MENU_WATCH)
    canvas = driver.find_element(By.ID, "canvas")
    ActionChains(driver).move_to_element_with_offset(canvas, -300, -200).click().perform()
    wait_for(js, lambda: js("return window.benchMenu.shown !== null"), "the menu", 30)
    time.sleep(2)  # for the event timing entry, which comes after the paint
    return js("var m = window.benchMenu;"
              "return [m.shown - m.pressed, m.painted === null ? 16 : m.painted];")


def measure_native(scene, frames, work, noop=False):
    """universe-bench's median frame; with noop, under Mesa's no-op driver,
    which rasterises nothing: the desktop's CPU cost alone."""
    out = os.path.join(work, "bench.json")
    env = dict(os.environ, GALLIUM_NOOP="1") if noop else None
    subprocess.run([WITH_XVFB, BENCH, "--screens", scene, "--warmup", "3", "--frames",
                    str(frames), "--json", out], check=True, stdout=subprocess.DEVNULL, env=env)
    with open(out) as data:
        return json.load(data)["screens"][0]["median_ms"]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--frames", type=int, default=10)
    parser.add_argument("--engines", default="chromium,firefox")
    parser.add_argument("sites", nargs="*")
    options = parser.parse_args()
    engines = options.engines.split(",")
    sites = [os.path.abspath(s) for s in options.sites] or [
        os.path.join(ROOT, "build-web", "site")]
    servers = [test_web.start_server(site) for site in sites]
    bases = [f"http://127.0.0.1:{s.server_address[1]}/index.html" for s in servers]
    # Firefox's canvas at universe-bench's window size: the same pixels to fill.
    sizes = {"chromium": None, "firefox": "800x600"}
    page = {(e, i, scene): [] for e in engines for i in range(len(sites)) for scene in SCENES}
    native = {scene: [] for scene in SCENES}
    noop = {scene: [] for scene in SCENES}
    menu = {i: [] for i in range(len(sites))}
    with tempfile.TemporaryDirectory(prefix="bench-web-") as work:
        drivers = {}
        try:
            for engine in engines:
                drivers[engine] = start_browser(engine, os.path.join(work, "profile"))
            for run in range(options.runs):
                for scene in SCENES:
                    for engine in engines:
                        for i, base in enumerate(bases):
                            page[engine, i, scene].append(measure_page(
                                drivers[engine], base, scene, options.frames, sizes[engine]))
                    native[scene].append(measure_native(scene, options.frames, work))
                    noop[scene].append(measure_native(scene, options.frames, work, noop=True))
                if "chromium" in engines:
                    for i, base in enumerate(bases):
                        menu[i].append(measure_menu(drivers["chromium"], base))
                print(f"bench-web: run {run + 1} of {options.runs} done", flush=True)
        finally:
            for driver in drivers.values():
                driver.quit()
            for server in servers:
                server.shutdown()

    def median(values, key):
        return statistics.median(v[key] for v in values)

    print(f"median of {options.runs} runs, {options.frames} frames each. desktop: "
          "universe-bench's frame (llvmpipe); desktop CPU: the same under Mesa's no-op "
          "driver; display: the page's display callback; swaps: the page's time between "
          "swaps (Chromium: SwiftShader; Firefox: llvmpipe); ratios to the desktop frame, "
          "display/desktop CPU and swaps/desktop; faults: the browser's page faults a frame "
          "(Firefox); vertices: submitted to WebGL a frame; /other: the display callback "
          "to the other site's")
    for engine in engines:
        for i, site in enumerate(sites):
            print(f"{engine}: site {site}")
            print(f"  {'scene':16} {'desktop':>8} {'CPU':>6} {'display':>8} {'ratio':>6} "
                  f"{'/desk':>6} {'swaps':>8} {'ratio':>6} {'faults':>7} {'KB/frame':>9} "
                  f"{'draws':>6} {'vertices':>10}" + (f" {'/other':>6}" if len(sites) == 2 else ""))
            for scene in SCENES:
                n = statistics.median(native[scene])
                cpu = statistics.median(noop[scene])
                runs = page[engine, i, scene]
                between = median(runs, "between_ms")
                display = median(runs, "display_ms")
                other = ""
                if len(sites) == 2:
                    other = f" {display / median(page[engine, 1 - i, scene], 'display_ms'):6.2f}"
                print(f"  {scene:16} {n:8.1f} {cpu:6.1f} {display:8.1f} {display / cpu:6.2f} "
                      f"{display / n:6.3f} {between:8.1f} {between / n:6.2f} "
                      f"{median(runs, 'faults'):7.0f} {median(runs, 'bytes') / 1024:9.1f} "
                      f"{median(runs, 'draws'):6.0f} {median(runs, 'vertices'):10.0f}{other}")
    for i, site in enumerate(sites if "chromium" in engines else []):
        shown = [m[0] for m in menu[i]]
        painted = [m[1] for m in menu[i]]
        print(f"chromium: site {site}: menu on the running automatic Universe: on the page "
              f"{statistics.median(shown):.0f} ms (of {', '.join(f'{ms:.0f}' for ms in shown)}), "
              f"on the screen {statistics.median(painted):.0f} ms "
              f"(of {', '.join(f'{ms:.0f}' for ms in painted)})")


if __name__ == "__main__":
    main()
