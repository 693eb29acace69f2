// Builds tessivar.html from its template: the style, the script and the
// WebAssembly module (gzip-compressed, as base64: its words in two languages
// take less than half the room so) put in, and a Content-Security-Policy that
// allows the page exactly what it needs: its own style and script by their
// SHA-256 hashes, the compilation of its module, an empty icon (so that no
// browser asks a server for one), and nothing from anywhere.
//
//   node build_page.mjs TEMPLATE STYLE SCRIPT MODULE OUTPUT
import { createHash } from "node:crypto";
import { readFileSync, writeFileSync } from "node:fs";
import { gzipSync } from "node:zlib";

const [templateFile, styleFile, scriptFile, moduleFile, outputFile] = process.argv.slice(2);
const fail = (message) => {
  console.error(`build_page: ${message}`);
  process.exit(1);
};
if (!outputFile) fail("usage: build_page.mjs TEMPLATE STYLE SCRIPT MODULE OUTPUT");

// The style and the script without their comments and indentation: the
// page's budget is for what it does. Only whole comment lines of the script
// go (it has no text that spans lines), and only /* */ comments and runs of
// blanks of the style.
const style = readFileSync(styleFile, "utf8")
  .replace(/\/\*[^]*?\*\//g, "")
  .replace(/\s+/g, " ")
  .trim();
const script = readFileSync(scriptFile, "utf8")
  .split("\n")
  .map((line) => line.trim())
  .filter((line) => line && !line.startsWith("//"))
  .join("\n");
if (script.split("\n").some((line) => line.split("`").length % 2 === 0)) fail("a template literal spans lines");
const module = readFileSync(moduleFile);
// The page instantiates the module with no imports at all.
const imports = WebAssembly.Module.imports(new WebAssembly.Module(module));
if (imports.length > 0) {
  fail(`the module imports ${imports.map((i) => `${i.module}.${i.name}`).join(", ")}`);
}
if (/<\/style/i.test(style) || /<\/script/i.test(script)) fail("a closing tag inside the style or script");

const hash = (text) => `'sha256-${createHash("sha256").update(text, "utf8").digest("base64")}'`;
const policy = [
  "default-src 'none'",
  `script-src ${hash(script)} 'wasm-unsafe-eval'`,
  `style-src ${hash(style)}`,
  "img-src data:",
  "base-uri 'none'",
  "form-action 'none'",
].join("; ");

const parts = {
  "@POLICY@": policy,
  "@STYLE@": style,
  "@SCRIPT@": script,
  "@MODULE@": gzipSync(module, { level: 9 }).toString("base64"),
};
const template = readFileSync(templateFile, "utf8");
for (const placeholder of Object.keys(parts)) {
  if (template.split(placeholder).length !== 2) fail(`${placeholder} is not in the template once`);
}
// In one pass, so that nothing put in is read as a placeholder.
const page = template.replace(/@[A-Z]+@/g, (placeholder) => parts[placeholder] ?? placeholder);
writeFileSync(outputFile, page);
