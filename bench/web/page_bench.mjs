// The web page in headless Chromium, paired in one run with a blank page as
// the floor:
// - load: from navigation start to the first animation frame in which the
//   page has loaded and shows all five switch values (#channel=both), or
//   in which the blank page has loaded; the median of 20 loads of each,
//   taken in turns;
// - update: the script time of one update after a click on an option, from
//   the change event's start (a capturing listener on the window, which
//   runs first) to its end (a listener on the window, which runs last);
//   the median of 20 clicks; the update includes writing the address.
//   performance.now() steps by 0.1 ms in a page that is not cross-origin
//   isolated, so the mean over 100 change events dispatched in a loop is
//   given beside it (with the clicks, fewer than the 200 address changes in
//   10 s past which Chromium ignores them).
//
//   node bench/web/page_bench.mjs build/web/tessivar.html
import { mkdtempSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";
import { chromium } from "playwright-core";

import { chromiumArgs, chromiumPath } from "../../tests/web/chromium.mjs";

const page = process.argv[2];
if (!page) {
  console.error("usage: node bench/web/page_bench.mjs PAGE");
  process.exit(2);
}
const blank = join(mkdtempSync(join(tmpdir(), "tessivar-bench-")), "blank.html");
writeFileSync(blank, "<!DOCTYPE html>\n<html lang=\"en\"><title>Blank</title></html>\n");
const pageUrl = `${pathToFileURL(resolve(page)).href}#channel=both`;
const blankUrl = pathToFileURL(blank).href;

const browser = await chromium.launch({
  executablePath: chromiumPath,
  args: [
    ...chromiumArgs,
    // Frames as soon as they are ready, not at 60 Hz: a frame's time is then
    // when the page could first be shown, not the next vsync.
    "--disable-frame-rate-limit",
    "--disable-gpu-vsync",
  ],
});
const context = await browser.newContext();
await context.addInitScript(() => {
  const shown = () =>
    document.readyState === "complete" &&
    [1, 2, 3, 4, 5].every((n) => {
      const box = document.getElementById(`switch${n}`);
      return document.title === "Blank" || (box !== null && box.value !== "");
    });
  const frame = () => (shown() ? (window.shownAt = performance.now()) : requestAnimationFrame(frame));
  requestAnimationFrame(frame);
});
const tab = await context.newPage();

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return (sorted[(sorted.length - 1) >> 1] + sorted[sorted.length >> 1]) / 2;
};
const load = async (url) => {
  await tab.goto(url);
  return tab.evaluate(() => new Promise((done) => {
    const wait = () => (window.shownAt === undefined ? requestAnimationFrame(wait) : done(window.shownAt));
    wait();
  }));
};

const loads = { page: [], blank: [] };
await load(blankUrl);
await load(pageUrl);
for (let i = 0; i < 20; ++i) {
  loads.blank.push(await load(blankUrl));
  loads.page.push(await load(pageUrl));
}

await load(pageUrl);
await tab.evaluate(() => {
  window.updates = [];
  let start = 0;
  addEventListener("change", () => (start = performance.now()), true);
  addEventListener("change", () => window.updates.push(performance.now() - start));
});
const rates = ["9600", "19200"];
for (let i = 0; i < 21; ++i) {
  await tab.getByRole("group", { name: "Baud Rate" }).getByRole("radio", { name: rates[i % 2], exact: true }).click();
}
const clicks = (await tab.evaluate(() => window.updates)).slice(1);
const dispatched = await tab.evaluate(() => {
  const radios = [...document.querySelectorAll("fieldset.rate input")];
  const count = 100;
  const start = performance.now();
  for (let i = 0; i < count; ++i) {
    const radio = radios[i % radios.length];
    radio.checked = true;
    radio.dispatchEvent(new Event("change", { bubbles: true }));
  }
  return (performance.now() - start) / count;
});
await browser.close();

const ms = (value) => `${value.toFixed(2)} ms`;
console.log(`Chromium ${browser.version()}`);
console.log(`load, median of 20: page ${ms(median(loads.page))}, blank page ${ms(median(loads.blank))}, ratio ${(median(loads.page) / median(loads.blank)).toFixed(2)}`);
console.log(`update after a click, median of 20: ${ms(median(clicks))} (largest ${ms(Math.max(...clicks))})`);
console.log(`update with the address, mean of 100 dispatched change events: ${(dispatched * 1000).toFixed(0)} µs`);
