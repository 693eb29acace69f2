// What every browser test shares: the page opened from file:// or from a
// loopback server, a watch that fails the test on anything the page sends
// or complains of, the controls found as a user finds them, and the native
// programs that say what the page must show.
import { test as base, expect } from "@playwright/test";
import { execFileSync, spawnSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { createServer } from "node:http";
import { createRequire } from "node:module";
import { pathToFileURL } from "node:url";

export { expect };

const need = (name) => {
  const value = process.env[name];
  if (!value) throw new Error(`${name} is not set: run these tests through ctest --preset web`);
  return value;
};
export const pagePath = need("TESSIVAR_PAGE");
export const outputDir = need("TESSIVAR_WEB_OUTPUT");
export const expectations = () => JSON.parse(readFileSync(need("TESSIVAR_EXPECTATIONS"), "utf8"));

export const test = base.extend({
  served: ["file", { option: true }],
  // The page and nothing else, on loopback; it keeps the path of every
  // request it is sent.
  server: [
    async ({}, use) => {
      const requests = [];
      const page = readFileSync(pagePath);
      const server = createServer((request, response) => {
        requests.push(request.url);
        if (request.url === "/tessivar.html") {
          response.writeHead(200, { "content-type": "text/html; charset=utf-8" });
          response.end(page);
        } else {
          response.writeHead(404).end();
        }
      });
      await new Promise((listening) => server.listen(0, "127.0.0.1", listening));
      await use({ url: `http://127.0.0.1:${server.address().port}/tessivar.html`, requests });
      await new Promise((closed) => server.close(closed));
    },
    { scope: "worker" },
  ],
  pageUrl: async ({ served, server }, use) => {
    await use(served === "http" ? server.url : pathToFileURL(pagePath).href);
  },
  // What the page did that it must not: a request for anything but the
  // page itself, a console error or warning (a refusal by the page's
  // Content-Security-Policy is one), an uncaught error, a dialog. A test
  // that provokes some on purpose takes them out of the list.
  problems: [
    async ({ page, pageUrl, server }, use) => {
      const problems = [];
      const serverRequests = server.requests.length;
      page.context().on("request", (request) => {
        if (request.url().split("#")[0] !== pageUrl) problems.push(`request: ${request.url()}`);
      });
      page.on("console", (message) => {
        if (["error", "warning"].includes(message.type())) {
          problems.push(`console ${message.type()}: ${message.text()}`);
        }
      });
      page.on("pageerror", (error) => problems.push(`page error: ${error.message}`));
      page.on("dialog", (dialog) => {
        problems.push(`dialog: ${dialog.message()}`);
        dialog.dismiss();
      });
      await use(problems);
      const served = server.requests.slice(serverRequests).filter((path) => path !== "/tessivar.html");
      expect([...problems, ...served.map((path) => `server got: ${path}`)]).toEqual([]);
    },
    { auto: true },
  ],
});

// The page opened at a fragment, once its option groups are there.
export async function open(page, pageUrl, fragment = "") {
  await page.goto(pageUrl + fragment);
  await expect(page.getByRole("group", { name: "Channel Selection" })).toBeVisible();
}

export const calculate = (page) => page.getByRole("region", { name: "Calculate" });
export const readValues = (page) => page.getByRole("region", { name: "Read values" });
export const switchBox = (region, n) =>
  region.getByRole("textbox", { name: `Switch ${n}`, exact: true });
export const option = (page, legend, label) =>
  calculate(page).getByRole("group", { name: legend }).getByRole("radio", { name: label, exact: true });

// The labels the page shows where the window's captions have a slip; every
// other member is labelled with the window's caption.
export const pageLabel = (caption) =>
  ({ Independant: "Independent", "CH1 CH2    Same Setting": "CH1 and CH2, same setting" })[caption] ??
  caption;

// The native encoder's writes for a selection given as [legend, label]
// pairs over the initial selection: [[number, text], ...] in order.
export function nativeWrites(selection) {
  const output = execFileSync(
    need("TESSIVAR_NATIVE_SWITCHES"),
    selection.map(([legend, label]) => `${legend}=${label}`),
    { encoding: "utf8" },
  );
  return output
    .split("\n")
    .filter(Boolean)
    .map((line) => [Number(line[0]), line.slice(2)]);
}

// The page's model of Calculate: the settings of each channel, kept apart.
// A click on an option changes the channel(s) the channel choice edits;
// choosing "CH1 and CH2, same setting" gives the other channel the settings
// shown. Switch 1 and 2 are the native encoder's writes of CH1's settings,
// Switch 3 and 4 those of CH2's.
export class Channels {
  constructor() {
    this.settings = { CH1: [], CH2: [] };
    this.shown = "CH1";
  }
  click(legend, label) {
    if (legend === "Channel Selection") {
      if (label === "CH1 and CH2, same setting" && this.shown !== "both") {
        const other = this.shown === "CH1" ? "CH2" : "CH1";
        this.settings[other] = [...this.settings[this.shown]];
      }
      this.shown = label === "CH1 and CH2, same setting" ? "both" : label;
    } else {
      for (const channel of this.shown === "both" ? ["CH1", "CH2"] : [this.shown]) {
        this.settings[channel] = [...this.settings[channel].filter(([l]) => l !== legend), [legend, label]];
      }
    }
  }
  // Switch 1 to 4, as [text, ...].
  values() {
    const texts = ["", "", "", ""];
    for (const channel of ["CH1", "CH2"]) {
      for (const [n, text] of nativeWrites([...this.settings[channel], ["Channel Selection", channel]])) texts[n - 1] = text;
    }
    return texts;
  }
}

// What tessivar-cli decode says of Switch 1 to 5 ("" leaves one out): for
// each switch given, the lines that the page shows beside its box, as the
// page writes a reading: "CH1 07FC: words", then the notes; or the error
// message alone.
export function cliReadings(texts) {
  if (texts.every((t) => t === "")) return {};
  const given = texts.slice(0, texts.findLastIndex((t) => t !== "") + 1);
  const args = ["decode", ...given.map((t) => (t === "" ? "-" : t))];
  const run = spawnSync(need("TESSIVAR_CLI"), args, { encoding: "utf8" });
  if (run.status === 2) {
    const message = run.stderr.trim().replace(/^tessivar-cli: error: /, "");
    const n = Number(/^Switch (\d)/.exec(message)[1]);
    return { [n]: [message] };
  }
  if (run.status !== 0) throw new Error(`tessivar-cli ${args.join(" ")}: ${run.stderr}`);
  const readings = {};
  let current;
  for (const line of run.stdout.split("\n").filter(Boolean)) {
    const reading = /^Switch (\d)(?: \((CH\d)\))? ([0-9A-F]{4}): (.*)$/.exec(line);
    const note = /^ {2}note: (.*)$/.exec(line);
    if (reading) {
      // Switch 5 is no channel's: the page names the switch instead.
      const name = reading[1] === "5" ? "Switch 5" : reading[2];
      current = readings[reading[1]] = [`${name} ${reading[3]}: ${reading[4]}`];
    } else if (note && current) {
      current.push(note[1]);
    } else {
      throw new Error(`tessivar-cli decode printed an unexpected line: ${line}`);
    }
  }
  return readings;
}

const axeSource = readFileSync(createRequire(import.meta.url).resolve("axe-core/axe.min.js"), "utf8");

// The page's violations of WCAG 2.2 AA and axe's best practices, found by
// axe-core injected into it, as "rule: targets".
export async function axeViolations(page) {
  await page.evaluate(axeSource);
  return page.evaluate(async () => {
    const tags = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22aa", "best-practice"];
    const result = await window.axe.run(document, { runOnly: { type: "tag", values: tags } });
    return result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(" ")).join(", ")}`);
  });
}
