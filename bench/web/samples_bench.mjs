// From rows pasted into the page's Samples box to its table, pooled row and chart on screen, in
// headless Chromium from disk; the median of RUNS, in milliseconds.
//   node samples_bench.mjs TALLYVANE_HTML ROWS.csv RUNS
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const [html, rowsFile, runs = 5] = process.argv.slice(2);
const rows = fs.readFileSync(rowsFile, 'utf8');
const browser = await puppeteer.launch({browser: 'chrome', executablePath: '/usr/bin/chromium',
    args: os.userInfo().uid === 0 ? ['--no-sandbox'] : []});
const times = [];
for (let run = 0; run < runs; run++) {
    const page = await browser.newPage();
    await page.goto(`file://${path.resolve(html)}`);
    await page.click('#samplesOpen');
    await page.evaluate(() => new Promise((ready) => requestAnimationFrame(() => setTimeout(ready, 200))));
    times.push(await page.evaluate((rows) => new Promise((shown) => {
        // Once the table and the chart are in the document, the time after the next frame:
        // its rendering ends before the task that follows its animation callbacks.
        const start = performance.now();
        const done = () => document.querySelector('#samplesChart svg') &&
            document.querySelector('#samplesTable tbody tr');
        new MutationObserver((changes, observer) => {
            if (done()) {
                observer.disconnect();
                requestAnimationFrame(() => setTimeout(() => shown(performance.now() - start)));
            }
        }).observe(document.getElementById('samples'), {childList: true, subtree: true});
        const clipboardData = new DataTransfer();
        clipboardData.setData('text/plain', rows);
        document.getElementById('samplesInput').dispatchEvent(
            new ClipboardEvent('paste', {clipboardData, bubbles: true, cancelable: true}));
    }), rows));
    await page.close();
}
await browser.close();
times.sort((a, b) => a - b);
console.log(times[times.length >> 1].toFixed(1));
