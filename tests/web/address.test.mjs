// The address keeps the page's state: a link, a reload or an edited
// fragment opens the same selection and typed values, and a fragment that
// is malformed or hostile is ignored part by part, never run or inserted
// as markup.
import { calculate, cliReadings, expect, open, option, readValues, switchBox, test } from "./page.mjs";

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
    const shown = { ...(await state(page)), calculate: await calculate(page).ariaSnapshot() };
    // The address follows once the user pauses.
    await expect(page).toHaveURL(/[#&]sw4=9(&|$)/);
    const link = page.url();

    const colleague = await page.context().newPage();
    await open(colleague, link);
    expect({ ...(await state(colleague)), calculate: await calculate(colleague).ariaSnapshot() }).toEqual(shown);
    await colleague.close();

    await page.reload();
    await expect(option(page, "Baud Rate", "19200")).toBeChecked();
    expect({ ...(await state(page)), calculate: await calculate(page).ariaSnapshot() }).toEqual(shown);
  });

  test("an edited fragment is taken at once, as a new link would be", async ({ page, pageUrl }) => {
    await open(page, pageUrl);
    await option(page, "Channel Selection", "CH2").click();
    await page.goto(`${pageUrl}#channel=ch2&baud-rate=9600&sw2=8`);
    const fresh = await page.context().newPage();
    await open(fresh, `${pageUrl}#channel=ch2&baud-rate=9600&sw2=8`);
    await expect(option(page, "Baud Rate", "9600")).toBeChecked();
    await expect(switchBox(calculate(page), 1)).toHaveValue("");
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
