// Measures the web page in headless Chromium: the sizes of what a player
// downloads (raw and gzipped), the time from DOMContentLoaded to the logo
// and to the first frame after its hold, the CPU of the page's renderer
// process over 10 s of title and 10 s of play, the audio output's latency
// and buffering, and the underruns over a play of the given length (a
// restless player presses 1, 2, 3 and Space at random); then, given the
// Linux game, bench/measure_linux.sh's figures for it beside these.
//
//   node bench/measure_web.mjs build/web [seconds of play, 300 when none] [build/linux/quobbin]
//
// (npm ci in tests/web first: it uses the end-to-end test's puppeteer-core.)
import {launch, serve} from '../tests/web/browser.mjs';
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';

const site = path.resolve(process.argv[2] || 'build/web');
const playSeconds = Number(process.argv[3] || 300);
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const kB = (n) => `${(n / 1024).toFixed(1)} kB`;

let total = 0;
for (const name of ['quobbin.wasm', 'quobbin.js', 'index.html']) {
  const bytes = fs.readFileSync(path.join(site, name));
  const packed = zlib.gzipSync(bytes, {level: 9}).length;
  total += packed;
  console.log(`${name}: ${kB(bytes.length)} raw, ${kB(packed)} gzipped`);
}
console.log(`gzipped in all: ${kB(total)}`);

const {server, url} = await serve(site);
const {browser, done} = await launch();
const page = await browser.newPage();
await page.setViewport({width: 1300, height: 1000});
await page.evaluateOnNewDocument(() => {
  window.presents = [];
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (...a) { presents.push(performance.now()); return put.apply(this, a); };
});
await page.goto(url);
await sleep(3000);
const [loaded, logo, next] = await page.evaluate(() => [performance.getEntriesByType('navigation')[0].domContentLoadedEventStart, ...presents]);
console.log(`DOMContentLoaded to the logo: ${Math.round(logo - loaded)} ms; to the first frame after its hold: ${Math.round(next - loaded)} ms`);

// The renderer's CPU time, from the browser's own process list.
const cdp = await browser.target().createCDPSession();
const rendererSeconds = async () => (await cdp.send('SystemInfo.getProcessInfo')).processInfo
  .filter((p) => p.type === 'renderer').reduce((s, p) => s + p.cpuTime, 0);
async function cpu(what) {
  const a = rendererSeconds(), t = Date.now();
  const before = await a;
  await sleep(10000);
  console.log(`renderer CPU ${what}: ${(((await rendererSeconds()) - before) * 100000 / (Date.now() - t)).toFixed(1)} % of one core`);
}
await cpu('on the title');
await page.keyboard.press('Space', {delay: 60});
await sleep(1000);
await cpu('in play');

const audio = await page.evaluate(() => ({rate: Module.audio.rate, base: Module.audio.ctx.baseLatency, output: Module.audio.ctx.outputLatency, ahead: Module.audio.ahead}));
console.log(`audio: ${audio.rate} Hz; baseLatency ${(audio.base * 1000).toFixed(1)} ms + outputLatency ${(audio.output * 1000).toFixed(1)} ms; ` +
  `the game's own queue ${(audio.ahead * 1000).toFixed(1)} ms and at most one 256-frame block (${(256000 / audio.rate).toFixed(1)} ms) more`);

const keys = ['Digit1', 'Digit2', 'Digit3', 'Space'];
const start = await page.evaluate(() => [Module.audio.underruns, Module.audio.sent]);
for (const end = Date.now() + playSeconds * 1000; Date.now() < end;) {
  await page.keyboard.press(keys[Math.floor(Math.random() * keys.length)], {delay: 40});
  await sleep(100 + Math.random() * 900);
}
const [underruns, sent] = await page.evaluate(() => [Module.audio.underruns, Module.audio.sent]);
console.log(`underruns in ${playSeconds} s of play: ${underruns - start[0]} (${sent - start[1]} frames sent)`);
await done();
server.close();

if (process.argv[4]) {
  console.log('\nThe Linux game under Xvfb, for comparison:');
  const script = path.join(path.dirname(new URL(import.meta.url).pathname), 'measure_linux.sh');
  process.stdout.write(execFileSync('xvfb-run', ['-a', '-s', '-screen 0 2048x1536x24', 'bash', script, path.resolve(process.argv[4])]));
}
