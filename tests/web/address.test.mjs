// The address keeps the page's state: a link, a reload or an edited
// fragment opens the same selection and typed values, and a fragment that
// is malformed or hostile is ignored part by part, never run or inserted
// as markup.
import { Channels, calculate, cliReadings, expect, open, option, readValues, switchBox, test } from "./page.mjs";

// What a user can see of the selection, and of the selection and Read values.
const groups = async (page) =>
  Promise.all((await calculate(page).getByRole("group").all()).map((group) => group.ariaSnapshot()));
const state = async (page) => ({ groups: await groups(page), read: await readValues(page).ariaSnapshot() });

test.describe("The address", () => {
  test("a link, a reload and a bookmark open the same settings", async ({ page, pageUrl }) => {
    await open(page, pageUrl);
    for (const [legend, label] of [
      ["Operation Setting", "Linked"],
      ["Baud Rate", "19200"],
      ["Protocol Setting", "Format 1"],
      ["Channel Selection", "CH1 and CH2, same setting"],
    ]) {
      await option(page, legend, label).click();
    }
    await switchBox(readValues(page), 1).fill("07fc");
    await switchBox(readValues(page), 4).fill("9");
    await switchBox(readValues(page), 5).fill("1F");
    const shown = { ...(await state(page)), calculate: await calculate(page).ariaSnapshot() };
    await expect(page).toHaveURL(/[#&]sw5=1F(&|$)/);
    const link = page.url();

    const colleague = await page.context().newPage();
    await open(colleague, link);
    expect({ ...(await state(colleague)), calculate: await calculate(colleague).ariaSnapshot() }).toEqual(shown);
    await colleague.close();

    await page.reload();
    await expect(option(page, "Baud Rate", "19200")).toBeChecked();
    expect({ ...(await state(page)), calculate: await calculate(page).ariaSnapshot() }).toEqual(shown);
  });

  test("both channels' settings, the station and the title, as the screen showed them", async ({ page, pageUrl }) => {
    await open(page, pageUrl);
    const model = new Channels();
    for (const click of [
      ["Baud Rate", "9600"],
      ["Channel Selection", "CH2"],
      ["Protocol Setting", "Non Procedural"],
      ["Data Bit", "7"],
    ]) {
      await option(page, ...click).click();
      model.click(...click);
    }
    await calculate(page).getByRole("textbox", { name: "Station number" }).fill("18");
    const title = calculate(page).getByRole("textbox", { name: /^Module/ });
    await title.fill("Slot 3, QJ71C24N, CH1 to HMI");
    const values = model.values();
    for (const [i, text] of values.entries()) await expect(switchBox(calculate(page), i + 1)).toHaveValue(text);
    // What the screen shows; the status says what the last change did, and
    // is left out.
    const screen = async (page) => (await calculate(page).ariaSnapshot()).replace(/\n *- status:.*/, "");
    const shown = { groups: await groups(page), calculate: await screen(page) };
    for (const target of ["link", "reload"]) {
      const other = target === "link" ? await page.context().newPage() : page;
      if (target === "link") await open(other, page.url());
      else await page.reload();
      await expect(switchBox(calculate(other), 5)).toHaveValue("0012");
      for (const [i, text] of values.entries()) await expect(switchBox(calculate(other), i + 1)).toHaveValue(text);
      expect({ groups: await groups(other), calculate: await screen(other) }).toEqual(shown);
      // Back on CH1: its own settings, kept in the address too.
      await option(other, "Channel Selection", "CH1").click();
      await expect(option(other, "Baud Rate", "9600")).toBeChecked();
      await expect(option(other, "Protocol Setting", "Format 5 (4C Binary)")).toBeChecked();
      await option(other, "Channel Selection", "CH2").click();
    }
  });

  // Tried at once, and 100 and 200 ms after the change, with the page's
  // clock under the test's hand: nothing waits for a pause.
  for (const after of [0, 100, 200]) {
    test(`a reload ${after} ms after a change keeps it`, async ({ page, pageUrl }) => {
      await page.clock.install();
      await open(page, pageUrl);
      const pause = async () => page.clock.pauseAt(await page.evaluate(() => Date.now() + 1000));
      for (let i = 0; i < 3; ++i) {
        await pause();
        const rate = ["9600", "19200", "300"][i];
        await option(page, "Baud Rate", rate).click();
        await switchBox(readValues(page), 2).fill(`${i + 3}`);
        await page.clock.runFor(after);
        await page.reload();
        await expect(option(page, "Baud Rate", rate)).toBeChecked();
        await expect(switchBox(readValues(page), 2)).toHaveValue(`${i + 3}`);
      }
    });
  }

  test("a title with markup in it is shown as text, in the page and on the sheet", async ({ page, pageUrl }) => {
    const title = `<img src=x onerror=alert(1)>Slot 3 & "CH1" <b>HMI</b>`;
    await open(page, pageUrl, `#title=${encodeURIComponent(title)}`);
    await expect(calculate(page).getByRole("textbox", { name: /^Module/ })).toHaveValue(title);
    await page.emulateMedia({ media: "print" });
    await expect(page.getByText(title, { exact: true })).toBeVisible();
    await expect(page.locator("img, b")).toHaveCount(0);
  });

  test("an edited fragment is taken at once, as a new link would be, and a link of one channel opens as it did", async ({ page, pageUrl }) => {
    await open(page, pageUrl);
    await option(page, "Channel Selection", "CH2").click();
    await page.goto(`${pageUrl}#channel=ch2&baud-rate=9600&sw2=8`);
    const fresh = await page.context().newPage();
    await open(fresh, `${pageUrl}#channel=ch2&baud-rate=9600&sw2=8`);
    await expect(option(page, "Baud Rate", "9600")).toBeChecked();
    // The channel it names has its options; the other one the initial ones.
    const model = new Channels();
    model.click("Channel Selection", "CH2");
    model.click("Baud Rate", "9600");
    for (const [i, text] of model.values().entries()) await expect(switchBox(calculate(page), i + 1)).toHaveValue(text);
    await expect(switchBox(readValues(page), 2)).toHaveValue("8");
    expect({ ...(await state(page)), calculate: await calculate(page).ariaSnapshot() }).toEqual({
      ...(await state(fresh)),
      calculate: await calculate(fresh).ariaSnapshot(),
    });
  });

  test("a hostile fragment is ignored part by part and never run", async ({ page, pageUrl }) => {
    const parts = [
      "baud-rate=19200", // taken
      "parity=%3Cimg%20src%3Dx%20onerror%3Dalert(1)%3E", // not one of the group's values
      "channel=ch2",
      "channel=ch3", // not a channel: CH2 stands
      "sw1=%3Cscript%3Ealert(2)%3C%2Fscript%3E", // a typed text: shown as text
      `sw2=${"9".repeat(5000)}`, // longer than the box takes
      "%E0%A4%A=1",
      "=x",
      "data-bits",
      "__proto__=1",
      "constructor=linked",
      "operation=linked=x",
      "protocol=javascript:alert(3)",
      "odd-even=%00even",
      "stop-bits=2", // taken
      "sw3=%F0%9F%92%A5%0A",
    ];
    await open(page, pageUrl);
    const initial = await page.context().newPage();
    await open(initial, `${pageUrl}#baud-rate=19200&channel=ch2&stop-bits=2`);
    const expected = await groups(initial);
    const keys = (url) => [...new URLSearchParams(new URL(url).hash.slice(1)).keys()];
    const groupKeys = keys(initial.url());
    await initial.close();

    await page.goto(`${pageUrl}#${parts.join("&")}`);
    await expect(option(page, "Baud Rate", "19200")).toBeChecked();
    expect(await groups(page)).toEqual(expected);
    await expect(switchBox(readValues(page), 1)).toHaveValue("<script>alert(2)</script>");
    await expect(switchBox(readValues(page), 1)).toHaveAccessibleDescription(
      cliReadings(["<script>alert(2)</script>", "", "", ""])[1].join(" "),
    );
    await expect(switchBox(readValues(page), 2)).toHaveValue("");
    await expect(switchBox(readValues(page), 3)).toHaveValue("\u{1F4A5}");
    await expect(page.locator("img, iframe, object, embed")).toHaveCount(0);
    await expect(page.locator("script")).toHaveCount(2);
    // The address now says only what the page took from it.
    expect(keys(page.url())).toEqual([...groupKeys, "sw1", "sw3"]);
  });
});
