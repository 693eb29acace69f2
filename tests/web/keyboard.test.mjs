// The page by keyboard alone: the title, one Tab stop per option group
// (arrow keys choose within it), the station number, then each switch box
// and its copy button, then the Read values boxes; every stop shows where
// the focus is.
import { Channels, calculate, cliReadings, expect, expectations, open, option, pageLabel, readValues, switchBox, test } from "./page.mjs";

test("every control is reached and used by keyboard alone, with the focus in sight", async ({ page, pageUrl }) => {
  await page.context().grantPermissions(["clipboard-read", "clipboard-write"]);
  await open(page, pageUrl);
  const { groups, initial } = expectations();
  const focusShows = () =>
    page.evaluate(() => {
      const style = getComputedStyle(document.activeElement);
      return style.outlineStyle !== "none" && parseFloat(style.outlineWidth) >= 2;
    });
  const model = new Channels();
  // The header's language links first, each with its focus in sight.
  for (const name of ["English", "中文"]) {
    await page.keyboard.press("Tab");
    await expect(page.getByRole("navigation", { name: "Language" }).getByRole("link", { name })).toBeFocused();
    expect(await focusShows()).toBe(true);
  }
  await page.keyboard.press("Tab");
  await expect(calculate(page).getByRole("textbox", { name: /^Module/ })).toBeFocused();
  await page.keyboard.type("Slot 3");
  // Tab reaches each group at its selected member; ArrowDown chooses the
  // next member in the groups where there is one (the last one wraps).
  for (const [g, group] of groups.entries()) {
    await page.keyboard.press("Tab");
    await expect(option(page, group.caption, pageLabel(group.members[initial[g]]))).toBeFocused();
    expect(await focusShows()).toBe(true);
    if (g % 2 === 0 || g >= 8) {
      await page.keyboard.press("ArrowDown");
      const next = pageLabel(group.members[(initial[g] + 1) % group.members.length]);
      await expect(option(page, group.caption, next)).toBeChecked();
      model.click(group.caption, next);
    }
  }
  await page.keyboard.press("Tab");
  await expect(calculate(page).getByRole("textbox", { name: "Station number" })).toBeFocused();
  await page.keyboard.press("End");
  await page.keyboard.type("7");
  const boxes = [...model.values(), "0007"];
  const region = calculate(page);
  for (let n = 1; n <= 5; ++n) {
    await page.keyboard.press("Tab");
    await expect(switchBox(region, n)).toBeFocused();
    await expect(switchBox(region, n)).toHaveValue(boxes[n - 1]);
    await page.keyboard.press("Tab");
    const copy = region.getByRole("button", { name: `Copy Switch ${n}` });
    await expect(copy).toBeFocused();
    expect(await focusShows()).toBe(true);
    await page.keyboard.press("Enter");
    await expect(region.getByRole("status")).toHaveText(`Switch ${n} ${boxes[n - 1]} copied`);
    expect(await page.evaluate(() => navigator.clipboard.readText())).toBe(boxes[n - 1]);
  }
  for (let n = 1; n <= 5; ++n) {
    await page.keyboard.press("Tab");
    await expect(switchBox(readValues(page), n)).toBeFocused();
    expect(await focusShows()).toBe(true);
  }
  await page.keyboard.press("Shift+Tab");
  await page.keyboard.press("Shift+Tab");
  await page.keyboard.type("0762");
  await expect(switchBox(readValues(page), 3)).toHaveAccessibleDescription(cliReadings(["", "", "0762", ""])[3].join(" "));
});
