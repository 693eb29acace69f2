// Read values, typed as a user types: each box read back into the words
// and notes of tessivar-cli decode, shown beside it (its accessible
// description), and a bad value answered with the console program's
// message beside its own box, with nothing else on the page changing.
import { calculate, cliReadings, expect, open, readValues, switchBox, test } from "./page.mjs";

// What the page must show beside each box for these texts.
async function expectReadings(page, texts) {
  const expected = cliReadings(texts);
  for (let n = 1; n <= 5; ++n) {
    const box = switchBox(readValues(page), n);
    await expect(box).toHaveAccessibleDescription((expected[n] ?? []).join(" "));
  }
}

async function typeAll(page, texts) {
  for (const [i, text] of texts.entries()) {
    const box = switchBox(readValues(page), i + 1);
    await box.clear();
    if (text) await box.pressSequentially(text);
  }
}

test.describe("Read values", () => {
  // Switch 1 to 4; "" leaves a box empty.
  const cases = {
    "the console program's example": ["07FC", "0004", "", ""],
    "linked operation on CH1": ["0B63", "5", "", ""],
    "EVEN without parity, and GX Connection ignoring Switch 1": ["07F8", "0", "", ""],
    "GX Connection on CH2 only": ["", "", "0b01", "0"],
    "GX Connection with transmission 00 has no note": ["", "", "0F00", "0"],
    "every written form: 0x, H, either case, blanks": [" 0x0C00 ", "8", "0f62h", "7H"],
    "CH2 alone": ["", "", "0762", "6"],
    "Switch 5 in hexadecimal: 12 is station 18": ["", "", "", "", "12"],
    "all five": ["07FC", "4", "0762", "6", "0x1F"],
    "Format 5 with 7 data bits on CH1": ["0B60", "5", "", ""],
    "Bi-directional with the sum check and 7 data bits on CH2": ["", "", "0760", "7"],
    "Bi-directional without the sum check": ["", "", "0740", "7"],
  };
  for (const [name, texts] of Object.entries(cases)) {
    test(`reads the words and notes of tessivar-cli decode: ${name}`, async ({ page, pageUrl }) => {
      await open(page, pageUrl);
      await typeAll(page, texts);
      await expectReadings(page, texts);
    });
  }

  test("reads a value again after every key typed", async ({ page, pageUrl }) => {
    await open(page, pageUrl);
    const box = switchBox(readValues(page), 1);
    for (const key of ["0", "7", "F", "C", "x", "Backspace", "Backspace", "Backspace", "Backspace", "Backspace"]) {
      await box.press(key);
      await expectReadings(page, [await box.inputValue(), "", "", ""]);
    }
    await expect(box).toHaveAccessibleDescription("");
  });

  // Each kind of bad value the decoder names, in one box among good ones.
  const bad = {
    "not hexadecimal": [1, "0B6G"],
    "five digits": [3, "10762"],
    "0x and H together": [1, "0x0B62H"],
    "blank only": [3, "   "],
    "not a rate code": [3, "0D62"],
    "not a protocol number": [2, "9"],
    "a protocol beyond 8 in hexadecimal": [4, "0A"],
    "a long text, shown by its start": [2, "this is not a switch value at all"],
    "a long text of two-byte characters, cut at a whole one": [1, `a${"\u00e9".repeat(30)}`],
    "a station past 31": [5, "20"],
  };
  for (const [name, [n, text]] of Object.entries(bad)) {
    test(`a bad value gets the console program's message beside its box alone: ${name}`, async ({ page, pageUrl }) => {
      await open(page, pageUrl);
      const good = ["07FC", "4", "0762", "6", "0"];
      for (const [i, text] of good.entries()) await switchBox(readValues(page), i + 1).fill(text);
      await expectReadings(page, good);
      const others = [1, 2, 3, 4, 5].filter((m) => m !== n).map((m) => switchBox(readValues(page), m));
      const before = await calculate(page).ariaSnapshot();
      // Whatever changes in the other boxes' readings (each a polite live
      // region: a change is announced) or in Calculate, even to the same text.
      await page.evaluate(() => (window.changed = 0));
      for (const watched of [calculate(page), ...others]) {
        await watched.evaluate((e) => {
          const target = e.getAttribute("aria-describedby") ? document.getElementById(e.getAttribute("aria-describedby")) : e;
          new MutationObserver((records) => (window.changed += records.length)).observe(target, {
            subtree: true,
            childList: true,
            characterData: true,
            attributes: true,
          });
        });
      }

      const box = switchBox(readValues(page), n);
      await box.fill(text);
      const texts = good.map((t, i) => (i === n - 1 ? text : t));
      const [message] = cliReadings(texts.map((t, i) => (i === n - 1 ? t : "")))[n];
      await expect(box).toHaveAccessibleDescription(message);
      expect(message).not.toContain("\ufffd");
      await expect(box).toHaveAttribute("aria-invalid", "true");
      await expect(readValues(page).getByText(message, { exact: true })).toBeVisible();
      expect(await calculate(page).ariaSnapshot()).toEqual(before);
      expect(await page.evaluate(() => window.changed)).toBe(0);

      await box.fill(good[n - 1]);
      await expectReadings(page, good);
      await expect(box).not.toHaveAttribute("aria-invalid");
    });
  }

  test("a column or a row of values pasted into the first box is spread over the boxes", async ({ page, pageUrl }) => {
    await page.context().grantPermissions(["clipboard-read", "clipboard-write"]);
    await open(page, pageUrl);
    const first = switchBox(readValues(page), 1);
    for (const [pasted, texts] of [
      ["07FC\r\n0004\r\n0762\r\n6\r\n", ["07FC", "0004", "0762", "6", ""]],
      ["0B60\t5\t0760\t7\t12", ["0B60", "5", "0760", "7", "12"]],
      ["0762\n", ["0762", "5", "0760", "7", "12"]],
    ]) {
      await page.evaluate((text) => navigator.clipboard.writeText(text), pasted);
      await first.focus();
      await first.selectText();
      await page.keyboard.press("ControlOrMeta+V");
      for (const [i, text] of texts.entries()) await expect(switchBox(readValues(page), i + 1)).toHaveValue(text);
      await expectReadings(page, texts);
      await expect(page).toHaveURL(new RegExp(`sw1=${texts[0]}`));
      await switchBox(readValues(page), 2).clear();
      if (texts[1] === "0004") for (let n = 2; n <= 5; ++n) await switchBox(readValues(page), n).clear();
      else await switchBox(readValues(page), 2).fill(texts[1]);
    }
  });

  test("a value between no-break spaces or in full-width characters reads as its plain form", async ({ page, pageUrl }) => {
    await open(page, pageUrl);
    const typed = ["\u00a00762\u00a0", "\uff16", "\u3000\uff10\uff58\uff10\uff22\uff16\uff12", "\u2007\uff14\uff28", "\uff11\uff12"];
    for (const [i, text] of typed.entries()) await switchBox(readValues(page), i + 1).fill(text);
    const plain = ["0762", "6", "0x0B62", "4H", "12"];
    await expectReadings(page, plain);
    for (const [i, text] of typed.entries()) await expect(switchBox(readValues(page), i + 1)).toHaveValue(text);
  });

  // What a screen reader hears: every change of a live region's text. The
  // page's clock stands still while typing, so that the keys' pace (not
  // the page's) cannot decide the verdict.
  test("a screen reader hears the reading once the typing pauses, never a half-typed value", async ({ page, pageUrl }) => {
    await page.clock.install();
    await open(page, pageUrl);
    await page.clock.pauseAt(await page.evaluate(() => Date.now() + 1000));
    await page.evaluate(() => {
      window.heard = [];
      for (const region of document.querySelectorAll("[aria-live], [role=status], [role=alert], [role=log]")) {
        new MutationObserver(() => region.textContent && window.heard.push(region.textContent)).observe(region, {
          subtree: true,
          childList: true,
          characterData: true,
        });
      }
    });
    const heard = () => page.evaluate(() => window.heard.splice(0));
    for (const [n, text] of [
      [1, "0762"],
      [3, "0x0762"],
      [5, "1F"],
      [1, "0B60"],
    ]) {
      const box = switchBox(readValues(page), n);
      await box.clear();
      await box.pressSequentially(text);
      await expect(box).toHaveAccessibleDescription(cliReadings([1, 2, 3, 4, 5].map((m) => (m === n ? text : "")))[n].join(" "));
      expect(await heard()).toEqual([]);
      await page.clock.runFor(2000);
      const words = (await box.evaluate((e) => [...document.getElementById(e.getAttribute("aria-describedby")).children].map((p) => p.textContent))).join(". ");
      expect(words).not.toMatch(/not|give/);
      expect((await heard()).map((said) => said.replace(/^Switch \d: /, ""))).toEqual([words]);
    }
  });
});
