// Read values, typed as a user types: each box read back into the words
// and notes of tessivar-cli decode, shown beside it (its accessible
// description), and a bad value answered with the console program's
// message beside its own box, with nothing else on the page changing.
import { calculate, cliReadings, expect, open, readValues, switchBox, test } from "./page.mjs";

// What the page must show beside each box for these texts.
async function expectReadings(page, texts) {
  const expected = cliReadings(texts);
  for (let n = 1; n <= 4; ++n) {
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
  };
  for (const [name, [n, text]] of Object.entries(bad)) {
    test(`a bad value gets the console program's message beside its box alone: ${name}`, async ({ page, pageUrl }) => {
      await open(page, pageUrl);
      const good = ["07FC", "4", "0762", "6"];
      for (const [i, text] of good.entries()) await switchBox(readValues(page), i + 1).fill(text);
      await expectReadings(page, good);
      const others = [1, 2, 3, 4].filter((m) => m !== n).map((m) => switchBox(readValues(page), m));
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
      await expect(box).toHaveAttribute("aria-invalid", "true");
      await expect(readValues(page).getByText(message, { exact: true })).toBeVisible();
      expect(await calculate(page).ariaSnapshot()).toEqual(before);
      expect(await page.evaluate(() => window.changed)).toBe(0);

      await box.fill(good[n - 1]);
      await expectReadings(page, good);
      await expect(box).not.toHaveAttribute("aria-invalid");
    });
  }
});
