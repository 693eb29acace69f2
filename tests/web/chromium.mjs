// Debian's Chromium, as the browser tests and the page's benchmark start it:
// no browser of Playwright's own, and no connection of the browser's own (the
// machine's network is closed, and the tests count every request).
export const chromiumPath = "/usr/bin/chromium";

export const chromiumArgs = [
  "--disable-gpu",
  "--disable-quic",
  "--no-first-run",
  "--disable-background-networking",
  "--disable-component-update",
  "--disable-sync",
];
