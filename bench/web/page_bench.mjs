// The page against a plain web calculator with the same form, in headless Chromium from disk:
// the first painted frame, and the first result of 7 in 1500 typed as soon as the page is
// parsed, in interleaved runs; medians, and their ratios. The plain page is tallyvane.html with
// its scripts and the core taken out and bench/web/plain.js put in.
//   node page_bench.mjs TALLYVANE_HTML [RUNS]
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const [html, runs = 30] = process.argv.slice(2);
const ours = fs.readFileSync(html, 'utf8');
const plainScript = fs.readFileSync(new URL('plain.js', import.meta.url), 'utf8');
const plain = ours.slice(0, ours.indexOf('<script type="application/json"')) +
    `<script>\n${plainScript}</script>\n</body>\n</html>\n`;
const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'page-bench-'));
const pages = {tallyvane: path.join(dir, 'tallyvane.html'), plain: path.join(dir, 'plain.html')};
fs.writeFileSync(pages.tallyvane, ours);
fs.writeFileSync(pages.plain, plain);

const browser = await puppeteer.launch({browser: 'chrome', executablePath: '/usr/bin/chromium',
    args: os.userInfo().uid === 0 ? ['--no-sandbox'] : []});
async function measure(file) {
    const page = await browser.newPage();
    await page.goto(`file://${file}`, {waitUntil: 'domcontentloaded'});
    await page.keyboard.type('7');
    await page.keyboard.press('Enter');
    await page.keyboard.type('1500');
    await page.keyboard.press('Enter');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => document.getElementById('txtDPMO').value, {polling: 'raf'});
    const result = await page.evaluate(() => performance.now());
    const paint = await page.evaluate(() =>
        performance.getEntriesByName('first-contentful-paint')[0]?.startTime);
    await page.close();
    return {paint, result};
}

const times = {tallyvane: [], plain: []};
for (let i = 0; i < 3; ++i)
    for (const name of Object.keys(pages)) await measure(pages[name]);
for (let i = 0; i < runs; ++i)
    for (const name of Object.keys(pages)) times[name].push(await measure(pages[name]));
await browser.close();
fs.rmSync(dir, {recursive: true});

const median = (xs) => { const s = [...xs].sort((a, b) => a - b); const m = s.length >> 1;
    return s.length % 2 ? s[m] : (s[m - 1] + s[m]) / 2; };
console.log(`Page in headless Chromium, ${runs} interleaved runs each, medians:`);
for (const [what, key] of [['first painted frame', 'paint'], ['first result, 7 in 1500', 'result']]) {
    const [t, p] = ['tallyvane', 'plain'].map((n) => median(times[n].map((x) => x[key])));
    console.log(`  ${what}: ${t.toFixed(1)} ms against ${p.toFixed(1)} ms, ${(t / p).toFixed(2)}x`);
}
const size = fs.statSync(html).size;
console.log(`  tallyvane.html: ${size} bytes (${(size / 1024).toFixed(0)} KiB)`);
