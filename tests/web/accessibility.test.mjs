// The page for people: axe-core finds no violation, 360 px needs no
// sideways scrolling, every target is at least 24 px, the system's dark
// mode is followed, results are announced politely, and it prints as a
// setting sheet without the controls. Screenshots of each look are saved
// (TESSIVAR_WEB_OUTPUT/screenshots) for a person to look at.
import { mkdirSync } from "node:fs";
import { axeViolations, calculate, cliReadings, expect, nativeWrites, open, option, outputDir, readValues, switchBox, test } from "./page.mjs";

const screenshots = `${outputDir}/screenshots`;
mkdirSync(screenshots, { recursive: true });

// Both channels with a note, a station, a title, two readings with notes,
// two bad values and Switch 5: a page with every kind of text on it.
const busy = "#title=Slot%203%2C%20QJ71C24N&channel=both&data-bits=7&station=18&sw1=0B63&sw2=0&sw3=0x0762h&sw4=this is not a switch value&sw5=12";

for (const width of [1280, 360]) {
  for (const scheme of ["light", "dark"]) {
    test(`at ${width} px in ${scheme} mode: no axe violation, no sideways scrolling, targets of 24 px`, async ({ page, pageUrl }) => {
      await page.setViewportSize({ width, height: 900 });
      await page.emulateMedia({ colorScheme: scheme });
      await open(page, pageUrl, busy);
      await expect(switchBox(readValues(page), 4)).toHaveAttribute("aria-invalid", "true");

      const violations = await axeViolations(page);
      expect(violations).toEqual([]);

      expect(await page.evaluate(() => document.documentElement.scrollWidth)).toBeLessThanOrEqual(width);
      const small = [];
      for (const role of ["radio", "button", "textbox"]) {
        for (const control of await page.getByRole(role).all()) {
          const box = await control.boundingBox();
          if (box.width < 24 || box.height < 24) small.push(`${role} ${await control.getAttribute("aria-label") ?? ""} ${box.width}x${box.height}`);
        }
      }
      expect(small).toEqual([]);

      // The page's own colours follow the system's: a dark page with light
      // text in dark mode, the reverse in light mode.
      const luminance = await page.evaluate(() =>
        ["backgroundColor", "color"].map((property) => {
          const [r, g, b] = getComputedStyle(document.body)[property].match(/\d+/g).map(Number);
          return (0.2126 * r + 0.7152 * g + 0.0722 * b) / 255;
        }),
      );
      expect(scheme === "dark" ? luminance[0] < 0.2 && luminance[1] > 0.8 : luminance[0] > 0.9 && luminance[1] < 0.2).toBe(true);

      // A phone's screen as it opens (the switch values held at its foot)
      // and scrolled to Read values; the whole page on a wide screen.
      const name = `${screenshots}/page-${width}-${scheme}`;
      if (width > 800) {
        await page.screenshot({ path: `${name}.png`, fullPage: true });
      } else {
        await page.screenshot({ path: `${name}.png` });
        await readValues(page).scrollIntoViewIfNeeded();
        await page.screenshot({ path: `${name}-read-values.png` });
      }
    });
  }
}

test("results are announced politely: the switch values in a status, the reading typed in a polite region", async ({ page, pageUrl }) => {
  await page.clock.install();
  await open(page, pageUrl);
  await option(page, "Channel Selection", "CH2").click();
  const writes = nativeWrites([["Channel Selection", "CH2"]]);
  await expect(calculate(page).getByRole("status")).toHaveText(writes.map(([n, text]) => `Switch ${n} ${text}`).join(", "));
  await switchBox(readValues(page), 1).fill("07FC");
  await page.clock.runFor(2000);
  const live = await page.evaluate(() => [...document.querySelectorAll("[aria-live]")].map((e) => [e.getAttribute("aria-live"), e.textContent]));
  expect(live).toEqual([["polite", `Switch 1: ${cliReadings(["07FC", "", "", ""])[1].join(". ")}`]]);
});

test("prints as a commissioning sheet: each value with its setting in words, without the controls", async ({ page, pageUrl }) => {
  await open(page, pageUrl, busy);
  await expect(switchBox(readValues(page), 4)).toHaveAttribute("aria-invalid", "true");
  const calculated = await Promise.all([1, 2, 3, 4, 5].map((n) => switchBox(calculate(page), n).inputValue()));
  await page.emulateMedia({ media: "print" });
  for (const role of ["radio", "button", "textbox"]) await expect(page.getByRole(role)).toHaveCount(0);

  const typed = ["0B63", "0", "0x0762h", "this is not a switch value", "12"];
  const sheets = {
    "Switch settings": [calculated, cliReadings(calculated)],
    // CH1 read together (a note needs both), the two bad values one at a
    // time (the console program stops at the first).
    "Read values": [
      typed,
      {
        ...cliReadings([typed[0], typed[1], "", ""]),
        ...cliReadings(["", "", typed[2], ""]),
        ...cliReadings(["", "", "", typed[3]]),
        ...cliReadings(["", "", "", "", typed[4]]),
      },
    ],
  };
  for (const [caption, [values, readings]] of Object.entries(sheets)) {
    const table = page.getByRole("table", { name: caption });
    await expect(table).toBeVisible();
    const rows = table.getByRole("row").filter({ has: page.getByRole("rowheader") });
    await expect(rows).toHaveCount(values.length);
    for (let n = 1; n <= values.length; ++n) {
      const row = rows.nth(n - 1);
      await expect(row.getByRole("rowheader")).toHaveText(`Switch ${n}`);
      await expect(row.getByRole("cell").first()).toHaveText(values[n - 1]);
      await expect(row.getByRole("cell").last().getByRole("paragraph")).toHaveText(readings[n]);
    }
  }
  await page.screenshot({ path: `${screenshots}/print.png`, fullPage: true });
});
