// The page in English and in Simplified Chinese: it follows the browser's
// language, a link in its header switches, the address keeps the choice,
// and every text on it changes with it: what is left in Latin letters on the
// Chinese page is the module's own names (CH1, bps, the protocols, values
// in hexadecimal), the product's, or what the user typed.
import { mkdirSync } from "node:fs";
import { axeViolations, expect, outputDir, test } from "./page.mjs";

const screenshots = `${outputDir}/screenshots`;
mkdirSync(screenshots, { recursive: true });

// Both channels with a note, a station, two readings with notes, a bad
// value and Switch 5.
const busy = "#channel=both&data-bits=7&station=18&sw1=0B63&sw2=0&sw3=0x0762h&sw4=this is not a switch value&sw5=12";

// The Latin words that Chinese text may hold.
const own =
  /Tessivar|MELSEC-Q|QJ71C24N?|CH[12]|bps|GX Connection|Format \d( \(4C Binary\))?|Non Procedural|Bi-directional|Link Setting|EVEN|RUN|English|HMI|\b0x|\b[0-9A-F]+H?\b|"[^"]*"/g;
const englishLeft = (text, typed = []) =>
  typed.reduce((rest, value) => rest.replaceAll(value, " "), text).replace(own, " ").match(/[A-Za-z]{2,}/g) ?? [];

// Everything the page says: its text as shown (or as printed), the names
// and placeholders of its controls, and its title.
const everything = (page) =>
  page.evaluate(() =>
    [
      document.body.innerText,
      document.title,
      ...[...document.querySelectorAll("[aria-label], [placeholder]")].map((e) => `${e.getAttribute("aria-label") ?? ""} ${e.placeholder ?? ""}`),
      ...[...document.querySelectorAll("input")].map((e) => (e.labels[0] ? e.labels[0].textContent : "")),
    ].join("\n"),
  );

const openIn = async (page, url) => {
  await page.goto(url);
  await expect(page.locator("#bits fieldset").first()).toBeVisible();
};

test.describe("with a Chinese browser", () => {
  test.use({ locale: "zh-CN" });

  test("everything is in Chinese, on the screen and printed, and the address says so", async ({ page, pageUrl }) => {
    await openIn(page, pageUrl + busy);
    await expect(page.locator("html")).toHaveAttribute("lang", "zh-CN");
    await expect(page).toHaveTitle("Tessivar：QJ71C24开关设置");
    expect(new URL(page.url()).hash).toContain("lang=zh");
    const calculate = page.getByRole("region", { name: "计算" });
    const read = page.getByRole("region", { name: "读取值" });
    await expect(calculate.getByRole("group", { name: "通道选择" }).getByRole("radio", { name: "CH1和CH2相同设置" })).toBeChecked();
    await expect(calculate.getByRole("textbox", { name: "开关1", exact: true })).toHaveValue("0B60");
    await expect(calculate.getByRole("button", { name: "复制开关1" })).toHaveText("复制");
    // A note of the calculation, a reading with its note, an error.
    await expect(calculate.locator(".notes p").first()).toHaveText(/^开关1和开关2：Format 5 \(4C Binary\)需要8位数据位/);
    await expect(read.locator("#sw1-reading p").first()).toHaveText(
      "CH1 0B63：115200 bps，数据位8，奇偶校验位无，奇数，停止位1，和校验代码有，RUN中写入允许，设置更改禁止，联动动作",
    );
    await expect(read.locator("#sw1-reading p").nth(1)).toHaveText(/^开关1：设置了联动动作/);
    await expect(read.locator("#sw4-reading p")).toHaveText(/^开关4："this is not a switch val[^"]*"不是通信协议编号|^开关4："this is not a switch val[^"]*"不是开关值/);
    await expect(read.locator("#sw5-reading p")).toHaveText("开关5 0012：站号为十进制18");
    await expect(page.locator("#switch5-decimal")).toHaveText("站号为十进制18");
    // A station refused, beside its box.
    await calculate.getByRole("textbox", { name: "站号" }).fill("32");
    await expect(page.locator("#station-message")).toHaveText("\"32\"：不是站号；请给出十进制0至31");
    await calculate.getByRole("textbox", { name: "站号" }).fill("18");
    await page.getByRole("textbox", { name: "模块（打印记录表的标题）" }).fill("插槽3");
    await expect(page).toHaveTitle("插槽3：Tessivar");

    expect(englishLeft(await everything(page))).toEqual([]);
    await page.emulateMedia({ media: "print" });
    const printed = await page.evaluate(() => document.body.innerText);
    expect(printed).toContain("调试记录表");
    expect(printed).toMatch(/打印日期：\d{4}-\d\d-\d\d，Tessivar 版本\d+\.\d+\.\d+/);
    expect(englishLeft(printed, ["this is not a switch value"])).toEqual([]);
  });

  for (const scheme of ["light", "dark"]) {
    test(`at 360 px in ${scheme} mode: no axe violation, no sideways scrolling; screenshots`, async ({ page, pageUrl }) => {
      await page.setViewportSize({ width: 360, height: 800 });
      await page.emulateMedia({ colorScheme: scheme });
      await openIn(page, pageUrl + busy);
      await expect(page.locator("html")).toHaveAttribute("lang", "zh-CN");
      const violations = await axeViolations(page);
      expect(violations).toEqual([]);
      expect(await page.evaluate(() => document.documentElement.scrollWidth)).toBeLessThanOrEqual(360);
      await page.screenshot({ path: `${screenshots}/zh-360-${scheme}.png`, fullPage: true });
      if (scheme === "light") {
        await page.setViewportSize({ width: 1280, height: 900 });
        await page.screenshot({ path: `${screenshots}/zh-1280-light.png`, fullPage: true });
        await page.emulateMedia({ media: "print" });
        await page.screenshot({ path: `${screenshots}/zh-print.png`, fullPage: true });
      }
    });
  }
});

test.describe("with an English browser", () => {
  test.use({ locale: "en-US" });

  test("the header's link switches the language and keeps the selection and the values typed", async ({ page, pageUrl }) => {
    await openIn(page, pageUrl + "#channel=ch2&baud-rate=9600&sw1=0B62&title=Slot 3");
    await expect(page.locator("html")).toHaveAttribute("lang", "en");
    const languages = page.getByRole("navigation", { name: "Language" });
    await expect(languages.getByRole("link", { name: "English" })).toHaveAttribute("aria-current", "true");
    await page.getByRole("region", { name: "Read values" }).getByRole("textbox", { name: "Switch 2", exact: true }).fill("7");

    await languages.getByRole("link", { name: "中文" }).click();
    await expect(page.locator("html")).toHaveAttribute("lang", "zh-CN");
    const calculate = page.getByRole("region", { name: "计算" });
    const read = page.getByRole("region", { name: "读取值" });
    await expect(calculate.getByRole("group", { name: "通道选择" }).getByRole("radio", { name: "CH2", exact: true })).toBeChecked();
    await expect(calculate.getByRole("group", { name: "传送速度" }).getByRole("radio", { name: "9600" })).toBeChecked();
    await expect(calculate.getByRole("textbox", { name: "开关3", exact: true })).toHaveValue("0562");
    await expect(read.getByRole("textbox", { name: "开关1", exact: true })).toHaveValue("0B62");
    await expect(read.getByRole("textbox", { name: "开关2", exact: true })).toHaveValue("7");
    await expect(read.locator("#sw2-reading p")).toHaveText("CH1 0007：通信协议7，Bi-directional");
    await expect(page.getByRole("textbox", { name: "模块（打印记录表的标题）" })).toHaveValue("Slot 3");
    await expect(page).toHaveTitle("Slot 3：Tessivar");
    await expect(page.getByRole("navigation", { name: "语言" }).getByRole("link", { name: "中文" })).toHaveAttribute("aria-current", "true");
    expect(new URL(page.url()).hash).toContain("lang=zh");

    // The copy button's announcement, whether or not the browser lets the
    // page copy.
    await calculate.getByRole("button", { name: "复制开关3" }).click();
    await expect(page.locator("#calculate-status")).toHaveText(/^(已复制开关3：0562|开关3：0562未能复制：)/);
    expect(englishLeft(await everything(page), ["Slot 3"])).toEqual([]);

    // Back to English, the values still there.
    await page.getByRole("navigation", { name: "语言" }).getByRole("link", { name: "English" }).click();
    await expect(page.locator("html")).toHaveAttribute("lang", "en");
    await expect(page.getByRole("region", { name: "Read values" }).getByRole("textbox", { name: "Switch 2", exact: true })).toHaveValue("7");
    await expect(page.getByRole("region", { name: "Calculate" }).getByRole("textbox", { name: "Switch 3", exact: true })).toHaveValue("0562");
    await expect(page.locator("#sw2-reading p")).toHaveText("CH1 0007: protocol 7, Bi-directional");
    expect(new URL(page.url()).hash).toContain("lang=en");
  });

  test("a link opens in the language it was sent in, and reloads in it", async ({ page, pageUrl }) => {
    await openIn(page, pageUrl + "#lang=zh&sw1=0B62");
    await expect(page.locator("html")).toHaveAttribute("lang", "zh-CN");
    await expect(page.getByRole("region", { name: "读取值" }).locator("#sw1-reading p")).toHaveText(/^CH1 0B62：115200 bps，数据位8/);
    await page.reload();
    await expect(page.locator("html")).toHaveAttribute("lang", "zh-CN");
    await expect(page.getByRole("heading", { name: "计算" })).toBeVisible();
    // Without one, the browser's language; a language the page does not
    // have is English.
    await openIn(page, pageUrl + "#lang=fr&sw1=0B62");
    await expect(page.locator("html")).toHaveAttribute("lang", "en");
    expect(new URL(page.url()).hash).toContain("lang=en");
  });

  test("axe finds no violation in English with the language control", async ({ page, pageUrl }) => {
    await page.setViewportSize({ width: 360, height: 800 });
    await openIn(page, pageUrl + busy);
    const violations = await axeViolations(page);
    expect(violations).toEqual([]);
  });
});
