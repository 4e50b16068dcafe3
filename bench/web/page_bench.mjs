// The page against a minimal web calculator, in headless Chromium from disk, in interleaved
// rounds; medians and their ratios. The minimal page (minimal.html) is the same form with its
// arithmetic in a few lines of plain script (plain.js), and nothing else. A script put in before
// each page's own sets the two boxes at DOMContentLoaded and presses Calculate, again on every
// animation frame until txtDPMO holds a text: the first result is that moment, and the first
// paint the Paint Timing API's first-contentful-paint, both from the navigation's start.
//   node page_bench.mjs TALLYVANE_HTML [RUNS]
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const [html, runs = 25] = process.argv.slice(2);
const plainScript = fs.readFileSync(new URL('plain.js', import.meta.url), 'utf8');
const minimal = fs.readFileSync(new URL('minimal.html', import.meta.url), 'utf8')
    .replace('{{plain}}', plainScript);
const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'page-bench-'));
const pages = {tallyvane: path.resolve(html), minimal: path.join(dir, 'minimal.html')};
fs.writeFileSync(pages.minimal, minimal);

const browser = await puppeteer.launch({browser: 'chrome', executablePath: '/usr/bin/chromium',
    args: os.userInfo().uid === 0 ? ['--no-sandbox'] : []});
async function measure(file) {
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(() => {
        document.addEventListener('DOMContentLoaded', () => {
            const byId = (id) => document.getElementById(id);
            const press = () => {
                if (byId('txtDPMO').value) {
                    window.firstResult = performance.now();
                    return;
                }
                byId('txttotaldefects').value = '7';
                byId('txttotalopportunities').value = '1500';
                byId('cmdcalculate').click();
                requestAnimationFrame(press);
            };
            press();
        });
    });
    await page.goto(`file://${file}`);
    await page.waitForFunction(() => window.firstResult &&
        performance.getEntriesByName('first-contentful-paint').length);
    const times = await page.evaluate(() => ({
        paint: performance.getEntriesByName('first-contentful-paint')[0].startTime,
        result: window.firstResult,
    }));
    await page.close();
    return times;
}

const times = {tallyvane: [], minimal: []};
for (let i = 0; i < 3; ++i)
    for (const name of Object.keys(pages)) await measure(pages[name]);
for (let i = 0; i < runs; ++i)
    for (const name of Object.keys(pages)) times[name].push(await measure(pages[name]));
await browser.close();
fs.rmSync(dir, {recursive: true});

const median = (xs) => { const s = [...xs].sort((a, b) => a - b); const m = s.length >> 1;
    return s.length % 2 ? s[m] : (s[m - 1] + s[m]) / 2; };
console.log(`Page against a minimal calculator, headless Chromium, ${runs} interleaved rounds, medians:`);
for (const [what, key] of [['first contentful paint', 'paint'], ['first result, 7 in 1500', 'result']]) {
    const [t, m] = ['tallyvane', 'minimal'].map((n) => median(times[n].map((x) => x[key])));
    console.log(`  ${what}: ${t.toFixed(1)} ms against ${m.toFixed(1)} ms, ${(t / m).toFixed(2)}x`);
}
const size = fs.statSync(html).size;
console.log(`  tallyvane.html: ${size} bytes (${(size / 1024).toFixed(0)} KiB)`);
