// The page's shape under what users do to it: text enlarged by the
// browser's font size ("Large" 20 px, "Very large" 24 px, and 200 %) on
// narrow screens, long values without blanks, and printing, which gives
// one A4 page of the commissioning sheet.
import { writeFileSync } from "node:fs";
import { calculate, cliReadings, expect, open, outputDir, readValues, switchBox, test } from "./page.mjs";

const long = "WM".repeat(16); // 32 wide letters, as many as a box takes
const busy =
  `#title=${encodeURIComponent("Slot 3, QJ71C24N, CH1 to HMI")}&data-bits=7&channel=ch1&ch2.protocol=7&ch2.data-bits=7` +
  `&station=18&sw1=0B63&sw2=0&sw3=0x0762h&sw4=${long}&sw5=20`;

// What sticks out: the document wider than the screen, a value shown or a
// button's text wider than its box, a control past the screen's edge, a
// message wider than its place.
const overflows = (page) =>
  page.evaluate(() => {
    const found = [];
    const width = document.documentElement.clientWidth;
    if (document.documentElement.scrollWidth > width) found.push(`page ${document.documentElement.scrollWidth} > ${width}`);
    for (const e of document.querySelectorAll("input:not([type=radio]), button, .reading p, .notes p, .field p, label, legend")) {
      if (e.closest("[hidden]") || e.getClientRects().length === 0) continue;
      const box = e.getBoundingClientRect();
      const name = `${e.tagName} ${e.id || e.getAttribute("aria-label") || e.textContent.slice(0, 20)}`;
      // A box the user types in scrolls what is longer than it.
      const typed = e.tagName === "INPUT" && !e.readOnly;
      if (!typed && e.scrollWidth > e.clientWidth + 1) found.push(`${name}: ${e.scrollWidth} > ${e.clientWidth}`);
      if (box.left < 0 || box.right > width + 0.5) found.push(`${name}: ${box.left}..${box.right} outside 0..${width}`);
    }
    return found;
  });

for (const size of [20, 24, 32]) {
  for (const width of [320, 360]) {
    test(`text at ${size} px on a ${width} px screen: values, buttons and messages whole, no sideways scrolling`, async ({ page, pageUrl }) => {
      // As the browser's font size setting does it (the fixed-width size
      // follows 3 px below, as Chromium's settings set it).
      const cdp = await page.context().newCDPSession(page);
      await cdp.send("Page.setFontSizes", { fontSizes: { standard: size, fixed: size - 3 } });
      await page.setViewportSize({ width, height: 800 });
      await open(page, pageUrl, busy);
      expect(await page.evaluate(() => getComputedStyle(document.documentElement).fontSize)).toBe(`${size}px`);
      await expect(switchBox(calculate(page), 5)).toHaveValue("0012");
      await expect(switchBox(readValues(page), 4)).toHaveAttribute("aria-invalid", "true");
      expect(await overflows(page)).toEqual([]);
      if (size === 24 && width === 360) await page.screenshot({ path: `${outputDir}/screenshots/page-360-24px.png`, fullPage: true });
    });
  }
}

test("a long value without blanks wraps inside its box and its message at 360 px", async ({ page, pageUrl }) => {
  await page.setViewportSize({ width: 360, height: 800 });
  await open(page, pageUrl);
  for (let n = 1; n <= 5; ++n) await switchBox(readValues(page), n).fill(long);
  await calculate(page).getByRole("textbox", { name: /^Module/ }).fill(long + long);
  await calculate(page).getByRole("textbox", { name: "Station number" }).fill("99999999");
  await expect(switchBox(readValues(page), 5)).toHaveAccessibleDescription(cliReadings(["", "", "", "", long])[5].join(" "));
  expect(await overflows(page)).toEqual([]);
});

// The sheet is printed to PDF as Chromium prints it, on A4; its pages are
// counted in the file. The page's clock is set, so that the date printed is
// known.
test("prints on one A4 page: the title, all five switches in words, the notes, the date and the version", async ({ page, pageUrl }) => {
  await page.clock.setFixedTime(new Date(2031, 4, 17, 10, 30));
  await open(page, pageUrl, busy);
  await expect(switchBox(calculate(page), 5)).toHaveValue("0012");
  const values = await Promise.all([1, 2, 3, 4, 5].map((n) => switchBox(calculate(page), n).inputValue()));
  const version = await page.getByRole("contentinfo").textContent();
  await page.emulateMedia({ media: "print" });
  await page.setViewportSize({ width: 718, height: 1000 }); // A4 inside margins of 12 mm, at 96 px an inch
  await expect(page.getByText("Slot 3, QJ71C24N, CH1 to HMI", { exact: true })).toBeVisible();
  const table = page.getByRole("table", { name: "Switch settings" });
  const rows = table.getByRole("row").filter({ has: page.getByRole("rowheader") });
  await expect(rows).toHaveCount(5);
  const readings = cliReadings(values);
  expect(readings[2].length).toBeGreaterThan(1); // CH1's note: Format 5 with 7 data bits
  for (let n = 1; n <= 5; ++n) {
    await expect(rows.nth(n - 1).getByRole("rowheader")).toHaveText(`Switch ${n}`);
    await expect(rows.nth(n - 1).getByRole("cell").first()).toHaveText(values[n - 1]);
    await expect(rows.nth(n - 1).getByRole("cell").last().getByRole("paragraph")).toHaveText(readings[n]);
  }
  await expect(page.getByText(`Printed 2031-05-17, Tessivar ${version}`, { exact: true })).toBeVisible();
  // Nothing wider than the paper (a wider sheet would be shrunk to fit),
  // and no text wider than its cell.
  expect(await page.evaluate(() => document.documentElement.scrollWidth)).toBeLessThanOrEqual(718);
  const wide = await page.evaluate(() =>
    [...document.querySelectorAll("#sheet th, #sheet td, #sheet p")]
      .filter((e) => e.getClientRects().length > 0 && e.scrollWidth > e.clientWidth + 1)
      .map((e) => e.textContent),
  );
  expect(wide).toEqual([]);
  await page.screenshot({ path: `${outputDir}/screenshots/print-a4.png`, fullPage: true });

  const pdf = await page.pdf({ format: "A4" });
  writeFileSync(`${outputDir}/screenshots/print.pdf`, pdf);
  expect(pdf.toString("latin1").match(/\/Type\s*\/Page\b(?!s)/g)).toHaveLength(1);
});
