// Calculate, used with the mouse: the window's groups and initial
// selection, and the switch boxes after every click against the native
// encoder's writes of each channel's settings (the page keeps CH1's and
// CH2's apart); Switch 5 from the station number, and the notes of what is
// computed against tessivar-cli decode's.
import { Channels, calculate, cliReadings, expect, expectations, nativeWrites, open, option, pageLabel, switchBox, test } from "./page.mjs";

test.describe("Calculate", () => {
  test("shows the window's groups, captions and initial selection, and 0B62 and 5 on both channels", async ({ page, pageUrl }) => {
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
    // Both channels start at the window's initial selection.
    await expect(switchBox(region, 1)).toHaveValue("0B62");
    await expect(switchBox(region, 2)).toHaveValue("5");
    await expect(switchBox(region, 3)).toHaveValue("0B62");
    await expect(switchBox(region, 4)).toHaveValue("5");
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
    "CH2 after CH1: each channel keeps its own settings": [
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
    "CH2 edited, CH1 shown again, then both from CH2's settings": [
      ["Channel Selection", "CH2"],
      ["Baud Rate", "1200"],
      ["Data Bit", "7"],
      ["Channel Selection", "CH1"],
      ["Protocol Setting", "Format 1"],
      ["Channel Selection", "CH2"],
      ["Channel Selection", "CH1 and CH2, same setting"],
      ["Parity Bit", "YES"],
    ],
  };
  for (const [name, clicks] of Object.entries(rows)) {
    test(`after each click the boxes hold the native encoder's writes of each channel: ${name}`, async ({ page, pageUrl }) => {
      await open(page, pageUrl);
      const region = calculate(page);
      const model = new Channels();
      const check = async () => {
        for (const [i, text] of model.values().entries()) await expect(switchBox(region, i + 1)).toHaveValue(text);
        // The options show the settings of the channel they edit.
        const settings = model.settings[model.shown === "CH2" ? "CH2" : "CH1"];
        for (const [legend, label] of settings) await expect(option(page, legend, label)).toBeChecked();
      };
      await check();
      for (const click of clicks) {
        await option(page, ...click).click();
        await expect(option(page, ...click)).toBeChecked();
        model.click(...click);
        await check();
      }
    });
  }

  test("shows the notes of what it computed beside the values, naming both switches of the pair", async ({ page, pageUrl }) => {
    await open(page, pageUrl);
    const region = calculate(page);
    const notes = region.locator(".notes");
    const model = new Channels();
    // Format 5 with 7 data bits on CH1, then Bi-directional with the sum
    // check on CH2 with 7 data bits; every note that decode gives of the
    // values shown, and nothing else.
    for (const click of [
      ["Data Bit", "7"],
      ["Channel Selection", "CH2"],
      ["Protocol Setting", "Bi-directional"],
      ["Data Bit", "7"],
      ["Data Bit", "8"],
      ["Data Bit", "7"],
      ["Check Sum", "NO"],
    ]) {
      await option(page, ...click).click();
      model.click(...click);
      const values = model.values();
      const readings = cliReadings(values);
      const expected = [1, 2, 3, 4].flatMap((n) => readings[n].slice(1));
      await expect(notes.getByRole("paragraph")).toHaveText(expected);
      for (const [i, text] of values.entries()) await expect(switchBox(region, i + 1)).toHaveValue(text);
    }
    // The notes block nothing: every option is still there to be clicked.
    await option(page, "Channel Selection", "CH1").click();
    await option(page, "Data Bit", "8").click();
    await expect(notes.getByRole("paragraph")).toHaveCount(0);
  });

  test("Switch 5 is the station number in hexadecimal with the decimal beside it; past 31 a message beside the box", async ({ page, pageUrl }) => {
    await open(page, pageUrl);
    const region = calculate(page);
    const station = region.getByRole("textbox", { name: "Station number" });
    await expect(station).toHaveAccessibleDescription(/If 1:1 network, set as 0/);
    for (const number of ["0", "7", "18", "31", " 12 ", "\uff11\uff18"]) {
      await station.fill(number);
      const plain = Number(number.normalize("NFKC"));
      const hex = plain.toString(16).toUpperCase().padStart(4, "0");
      await expect(switchBox(region, 5)).toHaveValue(hex);
      // What decode reads in that value is the station typed.
      await expect(switchBox(region, 5)).toHaveAccessibleDescription(cliReadings(["", "", "", "", hex])[5][0].replace(/^Switch 5 [0-9A-F]{4}: /, ""));
      await expect(switchBox(region, 5)).toHaveAccessibleDescription(new RegExp(`\\b${plain}\\b`));
      await expect(station).not.toHaveAttribute("aria-invalid");
      await expect(region.getByRole("button", { name: "Copy Switch 5" })).toBeEnabled();
    }
    for (const bad of ["32", "-1", "1F", "x"]) {
      await station.fill(bad);
      await expect(switchBox(region, 5)).toHaveValue("");
      await expect(region.getByRole("button", { name: "Copy Switch 5" })).toBeDisabled();
      await expect(station).toHaveAttribute("aria-invalid", "true");
      await expect(station).toHaveAccessibleDescription(new RegExp(`"${bad}".*0 to 31`));
      await expect(region.getByRole("status")).toContainText(`"${bad}"`);
    }
    await station.fill("");
    await expect(switchBox(region, 5)).toHaveValue("");
    await expect(station).not.toHaveAttribute("aria-invalid");
  });

  test("a copy button puts its switch's value on the clipboard", async ({ page, pageUrl }) => {
    await page.context().grantPermissions(["clipboard-read", "clipboard-write"]);
    await open(page, pageUrl);
    const region = calculate(page);
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

  test("a copy button copies also where the page may not use the clipboard's interface, and keeps the focus", async ({ page, pageUrl }) => {
    await page.context().grantPermissions(["clipboard-read", "clipboard-write"]);
    await page.addInitScript(() => Object.defineProperty(navigator, "clipboard", { value: undefined }));
    await open(page, pageUrl);
    const copy = calculate(page).getByRole("button", { name: "Copy Switch 1" });
    await copy.click();
    await expect(calculate(page).getByRole("status")).toHaveText("Switch 1 0B62 copied");
    await expect(copy).toBeFocused();
    const reader = await page.context().newPage();
    await reader.goto(pageUrl);
    expect(await reader.evaluate(() => navigator.clipboard.readText())).toBe("0B62");
  });

  test("a copy that the browser refuses says so, in sight, and keeps the focus on the button", async ({ page, pageUrl }) => {
    await page.addInitScript(() => {
      Object.defineProperty(navigator, "clipboard", { value: undefined });
      document.execCommand = () => false;
    });
    await open(page, pageUrl);
    const copy = calculate(page).getByRole("button", { name: "Copy Switch 2" });
    await copy.focus();
    await page.keyboard.press("Enter");
    const status = calculate(page).getByRole("status");
    await expect(status).toHaveText(/^Switch 2 5 was not copied/);
    await expect(status).toBeVisible();
    await expect(copy).toBeFocused();
  });
});
