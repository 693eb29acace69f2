// The web page's browser tests: Debian's Chromium, headless, driven by
// Playwright (no browser of Playwright's own). ctest runs one test file at a
// time (tests/web/CMakeLists.txt); the test files that a loopback server can
// serve run twice, from file:// and from http://.
import { defineConfig } from "@playwright/test";

import { chromiumArgs, chromiumPath } from "./chromium.mjs";

const output = process.env.TESSIVAR_WEB_OUTPUT ?? "build/web/tests/web";

export default defineConfig({
  testDir: ".",
  testMatch: "*.test.mjs",
  outputDir: `${output}/results`,
  // One browser at a time: the machines this runs on have two cores.
  workers: 1,
  retries: 0,
  forbidOnly: true,
  reporter: "list",
  timeout: 60_000,
  use: {
    browserName: "chromium",
    headless: true,
    launchOptions: {
      executablePath: chromiumPath,
      args: chromiumArgs,
    },
  },
  projects: [
    { name: "file", use: { served: "file" } },
    {
      name: "http",
      use: { served: "http" },
      testMatch: ["calculate.test.mjs", "read_values.test.mjs", "address.test.mjs", "serving.test.mjs"],
    },
  ],
});
