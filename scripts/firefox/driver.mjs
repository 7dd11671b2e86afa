// Debian's firefox-esr, driven over WebDriver BiDi by puppeteer-core, for
// scripts/firefox_driver.py: one JSON request a line on standard input, one
// JSON answer a line on standard output. Firefox runs headed, as its
// headless mode has no WebGL here; the caller gives it an X display.
//   {"get": URL}                       loads URL
//   {"script": BODY, "args": [...]}    runs BODY as a function's body with
//                                      `arguments`, as Selenium's
//                                      execute_script does; answers its value
//   {"quit": true}                     closes the browser
// Answers are {"value": ...} or {"error": MESSAGE}.
import readline from 'node:readline';
import puppeteer from 'puppeteer-core';

const [width, height] = (process.argv[2] || '1280x1024').split('x').map(Number);
const browser = await puppeteer.launch({
  browser: 'firefox',
  executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
  headless: false,
  args: [`--width=${width}`, `--height=${height}`],
  extraPrefsFirefox: {
    // Software WebGL (Mesa's llvmpipe) is on Firefox's block list.
    'webgl.force-enabled': true,
    // Full-precision performance.now(): the benchmark reads the display
    // callback's time, which is a few milliseconds, from it.
    'privacy.reduceTimerPrecision': false,
    'browser.shell.checkDefaultBrowser': false,
    'datareporting.policy.dataSubmissionEnabled': false,
  },
});
const [page] = await browser.pages();
await page.setViewport(null);

async function answer(request) {
  if ('get' in request) {
    await page.goto(request.get, {waitUntil: 'load'});
    return null;
  }
  if ('script' in request) {
    const call = `(function () {${request.script}\n}).apply(null, ${JSON.stringify(request.args || [])})`;
    const value = await page.evaluate(call);
    return value === undefined ? null : value;
  }
  if ('quit' in request) {
    await browser.close();
    process.exit(0);
  }
  throw new Error(`unknown request ${JSON.stringify(request)}`);
}

process.stdout.write(JSON.stringify({value: await browser.version()}) + '\n');
for await (const line of readline.createInterface({input: process.stdin})) {
  let reply;
  try {
    reply = {value: await answer(JSON.parse(line))};
  } catch (error) {
    reply = {error: String(error && error.message || error)};
  }
  process.stdout.write(JSON.stringify(reply) + '\n');
}
await browser.close();
