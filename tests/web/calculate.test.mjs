// Calculate, used with the mouse: the window's groups and initial
// selection, and the switch boxes after every click against the native
// encoder's writes, applied as the window applies them (a box that a
// calculation does not write keeps its text).
import { calculate, expect, expectations, nativeWrites, open, option, pageLabel, switchBox, test } from "./page.mjs";

test.describe("Calculate", () => {
  test("shows the window's groups, captions and initial selection, and 0B62 and 5 on CH1", async ({ page, pageUrl }) => {
    await open(page, pageUrl);
    const { groups, initial } = expectations();
    const region = calculate(page);
    await expect(region.getByRole("group")).toHaveCount(groups.length);
    for (const [g, group] of groups.entries()) {
      const radios = region.getByRole("group", { name: group.caption }).getByRole("radio");
      await expect(radios).toHaveCount(group.members.length);
      for (const [m, caption] of group.members.entries()) {
        const radio = option(page, group.caption, pageLabel(caption));
        await (m === initial[g] ? expect(radio).toBeChecked() : expect(radio).not.toBeChecked());
      }
    }
    await expect(switchBox(region, 1)).toHaveValue("0B62");
    await expect(switchBox(region, 2)).toHaveValue("5");
    await expect(switchBox(region, 3)).toHaveValue("");
    await expect(switchBox(region, 4)).toHaveValue("");
    await expect(region.getByRole("status")).toHaveText("Switch 1 0B62, Switch 2 5");
  });

  // Each row: the clicks, in order, as [legend, label].
  const rows = {
    "every transmission option away from the initial one": [
      ["Operation Setting", "Linked"],
      ["Data Bit", "7"],
      ["Parity Bit", "YES"],
      ["Odd/Even", "EVEN"],
      ["Stop Bit", "2"],
      ["Check Sum", "NO"],
      ["Write During RUN", "DISABLE"],
      ["Change Setting", "ENABLE"],
    ],
    "the lowest rates and protocols": [
      ["Baud Rate", "50"],
      ["Protocol Setting", "GX Connection"],
      ["Baud Rate", "300"],
      ["Protocol Setting", "Link Setting"],
      ["Baud Rate", "230400"],
    ],
    "CH2 after CH1: Switch 1 and 2 keep the CH1 values": [
      ["Baud Rate", "19200"],
      ["Protocol Setting", "Format 4"],
      ["Channel Selection", "CH2"],
      ["Baud Rate", "9600"],
      ["Parity Bit", "YES"],
    ],
    "both channels, then back to CH1": [
      ["Channel Selection", "CH1 and CH2, same setting"],
      ["Protocol Setting", "Non Procedural"],
      ["Baud Rate", "57600"],
      ["Channel Selection", "CH1"],
      ["Stop Bit", "2"],
    ],
  };
  for (const [name, clicks] of Object.entries(rows)) {
    test(`after each click the boxes hold the native encoder's writes: ${name}`, async ({ page, pageUrl }) => {
      await open(page, pageUrl);
      const region = calculate(page);
      const boxes = ["", "", "", ""];
      const apply = (selection) => {
        for (const [n, text] of nativeWrites(selection)) boxes[n - 1] = text;
      };
      const check = async () => {
        for (const [i, text] of boxes.entries()) await expect(switchBox(region, i + 1)).toHaveValue(text);
      };
      apply([]);
      await check();
      for (let i = 0; i < clicks.length; ++i) {
        await option(page, ...clicks[i]).click();
        await expect(option(page, ...clicks[i])).toBeChecked();
        apply(clicks.slice(0, i + 1));
        await check();
      }
    });
  }

  test("a copy button puts its switch's value on the clipboard", async ({ page, pageUrl }) => {
    await page.context().grantPermissions(["clipboard-read", "clipboard-write"]);
    await open(page, pageUrl);
    const region = calculate(page);
    await expect(region.getByRole("button", { name: "Copy Switch 3" })).toBeDisabled();
    await option(page, "Channel Selection", "CH2").click();
    await option(page, "Baud Rate", "38400").click();
    const [[, expected]] = nativeWrites([
      ["Channel Selection", "CH2"],
      ["Baud Rate", "38400"],
    ]);
    await region.getByRole("button", { name: "Copy Switch 3" }).click();
    await expect(region.getByRole("status")).toHaveText(`Switch 3 ${expected} copied`);
    expect(await page.evaluate(() => navigator.clipboard.readText())).toBe(expected);
  });

  test("a copy button copies also where the page may not use the clipboard's interface", async ({ page, pageUrl }) => {
    await page.context().grantPermissions(["clipboard-read", "clipboard-write"]);
    await page.addInitScript(() => Object.defineProperty(navigator, "clipboard", { value: undefined }));
    await open(page, pageUrl);
    await calculate(page).getByRole("button", { name: "Copy Switch 1" }).click();
    await expect(calculate(page).getByRole("status")).toHaveText("Switch 1 0B62 copied");
    const reader = await page.context().newPage();
    await reader.goto(pageUrl);
    expect(await reader.evaluate(() => navigator.clipboard.readText())).toBe("0B62");
  });
});
