// Debian's Chromium, headless and kept off the network, and a server of
// the built page on 127.0.0.1; shared by the end-to-end test and
// bench/measure_web.mjs.
import puppeteer from 'puppeteer-core';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';

const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.png': 'image/png'};

// The page's folder at /, and the golden frames (if given) at /shots/.
export async function serve(site, shots) {
  const server = http.createServer((req, res) => {
    const name = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const file = shots && name.startsWith('/shots/') ? path.join(shots, name.slice(7)) : path.join(site, name === '/' ? 'index.html' : name);
    fs.readFile(file, (err, data) => {
      res.writeHead(err ? 404 : 200, {'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream'});
      res.end(err ? '' : data);
    });
  });
  await new Promise((r) => server.listen(0, '127.0.0.1', r));
  return {server, url: `http://127.0.0.1:${server.address().port}/`};
}

// A fresh profile each time, removed when done.
export async function launch(extra = []) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quobbin-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', `--user-data-dir=${profile}`, ...extra],
  });
  const done = async () => {
    await browser.close();
    fs.rmSync(profile, {recursive: true, force: true});
  };
  return {browser, done};
}
