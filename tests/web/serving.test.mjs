// One file that needs nothing: it works from file:// and from a loopback
// server (this file runs under both), it is small, and its
// Content-Security-Policy refuses everything the page does not need. The
// shared watch (page.mjs) fails every test on any request besides the page.
import { readFileSync, statSync } from "node:fs";
import { calculate, expect, expectations, open, pagePath, readValues, switchBox, test } from "./page.mjs";

test.describe("The page as a file", () => {
  test("is at most 48 KiB, and calculates and reads values wherever it is opened from", async ({ page, pageUrl }) => {
    expect(statSync(pagePath).size).toBeLessThanOrEqual(48 * 1024);
    await open(page, pageUrl);
    await expect(switchBox(calculate(page), 1)).toHaveValue("0B62");
    await switchBox(readValues(page), 2).fill("4");
    await expect(switchBox(readValues(page), 2)).toHaveAccessibleDescription("CH1 0004: protocol 4, Format 4");
    await expect(page.getByRole("contentinfo")).toHaveText(expectations().version);
  });

  test("works where the browser compiles only small modules at once", async ({ page, pageUrl }) => {
    await page.addInitScript(() => {
      WebAssembly.Module = function () {
        throw new RangeError("WebAssembly.Compile is disallowed on the main thread for this size");
      };
    });
    await open(page, pageUrl);
    await expect(switchBox(calculate(page), 1)).toHaveValue("0B62");
  });

  // Without WebAssembly, or where a stricter policy (here the server's
  // header) refuses to compile it: a plain statement, and no dead controls.
  for (const refusal of ["no WebAssembly", "a policy without 'wasm-unsafe-eval'"]) {
    test(`says plainly that the browser cannot run the calculation: ${refusal}`, async ({ page, pageUrl, server, problems }) => {
      let url = pageUrl;
      if (refusal === "no WebAssembly") {
        await page.addInitScript(() => delete globalThis.WebAssembly);
      } else {
        url = `${server.url}?strict`;
        await page.route(url, (route) =>
          route.fulfill({
            contentType: "text/html; charset=utf-8",
            headers: { "content-security-policy": "script-src 'unsafe-inline'" },
            body: readFileSync(pagePath),
          }),
        );
      }
      await page.goto(url);
      await expect(page.getByRole("alert")).toHaveText(/^This browser cannot run the calculation/);
      await expect(page.getByRole("alert")).toBeVisible();
      await expect(calculate(page)).toHaveCount(0);
      await expect(readValues(page)).toHaveCount(0);
      // The refusal of the compilation goes to the console.
      const refused = problems.filter((p) => p.startsWith(`request: ${url}`) || /wasm-unsafe-eval|WebAssembly/.test(p));
      expect(refused.length > 0).toBe(refusal !== "no WebAssembly");
      problems.splice(0, problems.length, ...problems.filter((p) => !refused.includes(p)));
    });
  }

  test("its policy refuses every request, frame, font, style and script the page does not carry", async ({ page, pageUrl, server, problems }) => {
    await open(page, pageUrl);
    const probe = new URL("/probe", server.url).href;
    const attempts = await page.evaluate(async (probe) => {
      window.refused = [];
      document.addEventListener("securitypolicyviolation", (e) => window.refused.push(e.effectiveDirective));
      const add = (name, set) => {
        const e = document.createElement(name);
        set(e);
        document.body.append(e);
      };
      add("img", (e) => (e.src = `${probe}-image`));
      add("iframe", (e) => (e.src = `${probe}-frame`));
      add("script", (e) => (e.textContent = "window.injected = 'ran'"));
      add("script", (e) => (e.src = `${probe}-script.js`));
      add("style", (e) => (e.textContent = `@font-face { font-family: x; src: url(${probe}-font) } body { font-family: x }`));
      add("link", (e) => ((e.rel = "stylesheet"), (e.href = `${probe}-style.css`)));
      return {
        fetch: await fetch(`${probe}-fetch`).then(() => "sent", () => "refused"),
        font: await new FontFace("y", `url(${probe}-fontface)`).load().then(() => "loaded", () => "refused"),
        script: window.injected ?? "refused",
      };
    }, probe);
    expect(attempts).toEqual({ fetch: "refused", font: "refused", script: "refused" });
    await expect
      .poll(() => page.evaluate(() => [...new Set(window.refused)].sort()))
      .toEqual(["connect-src", "font-src", "frame-src", "img-src", "script-src-elem", "style-src-elem"]);
    // The refusals went to the console; nothing reached the server (the
    // shared watch checks that after the test).
    const expected = problems.filter((p) => /^console error: .*(Refused to|Content Security Policy)/.test(p));
    expect(expected.length).toBeGreaterThan(0);
    problems.splice(0, problems.length, ...problems.filter((p) => !expected.includes(p) && !p.startsWith(`request: ${probe}`)));
  });
});
