// The module the page embeds, called in the page through its exported
// interface: every selection the window can make against the encoder
// suite's independent model, and the checks of every pointer, length and
// index it is given.
import { expect, expectations, open, test } from "./page.mjs";

// Instantiates the page's own embedded module in the page, as window.module.
async function embeddedModule(page) {
  await page.evaluate(async () => {
    const text = document.getElementById("module").textContent.trim();
    // Carried gzip-compressed.
    const packed = Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
    const unpacked = new Blob([packed]).stream().pipeThrough(new DecompressionStream("gzip"));
    const module = await WebAssembly.compile(await new Response(unpacked).arrayBuffer());
    const exports = (await WebAssembly.instantiate(module)).exports;
    const output = (length) =>
      length < 0 ? length : new TextDecoder().decode(new Uint8Array(exports.memory.buffer, exports.tessivar_output(), length));
    window.module = { exports, imports: WebAssembly.Module.imports(module), output };
  });
}

test.describe("The embedded module", () => {
  test("imports nothing, and gives every window selection the model's writes", async ({ page, pageUrl }) => {
    await open(page, pageUrl);
    await embeddedModule(page);
    const { groups, selections } = expectations();
    expect(selections.length).toBe(2 ** 8 * groups[8].members.length * groups[9].members.length * groups[10].members.length);
    const result = await page.evaluate((selections) => {
      const { exports, output } = window.module;
      const input = exports.tessivar_input();
      const failures = [];
      for (const [selection, expected] of selections) {
        const [pairs, ...others] = selection.split(" ");
        const members = [...pairs].map(Number).concat(others.map(Number));
        new Uint8Array(exports.memory.buffer, input, members.length).set(members);
        const text = output(exports.tessivar_calculate(input, members.length));
        const actual = typeof text === "number" ? text : text.trimEnd().replaceAll("\t", "=").replaceAll("\n", " ");
        if (actual !== expected && failures.length < 10) failures.push({ selection, expected, actual });
      }
      return { imports: window.module.imports, failures };
    }, selections);
    expect(result.imports).toEqual([]);
    expect(result.failures).toEqual([]);
  });

  test("refuses input outside its buffer, of the wrong length or out of range, and still works after", async ({ page, pageUrl }) => {
    await open(page, pageUrl);
    await embeddedModule(page);
    const answers = await page.evaluate(() => {
      const { exports, output } = window.module;
      const input = exports.tessivar_input();
      const size = exports.tessivar_input_size();
      const bytes = () => new Uint8Array(exports.memory.buffer);
      const view = () => new DataView(exports.memory.buffer);
      const calculate = (at, members) => {
        bytes().set(members, at);
        return output(exports.tessivar_calculate(at, members.length));
      };
      const initial = [0, 1, 0, 0, 0, 1, 1, 0, 12, 5, 0];
      // Texts at input + 16, their lengths (-1: none) at input.
      const decode = (texts, lengths, size = undefined, count = 4) => {
        let end = input + 16;
        for (const text of texts) {
          bytes().set(new TextEncoder().encode(text), end);
          end += text.length;
        }
        lengths.forEach((length, i) => view().setUint32(input + 4 * i, length, true));
        return output(exports.tessivar_decode(input + 16, size ?? end - input - 16, input, count));
      };
      return {
        calculate: calculate(input, initial),
        tooFew: calculate(input, initial.slice(0, 10)),
        tooMany: calculate(input, [...initial, 0]),
        pairMember: calculate(input, [2, ...initial.slice(1)]),
        rateMember: calculate(input, [...initial.slice(0, 8), 14, 5, 0]),
        protocolMember: calculate(input, [...initial.slice(0, 9), 9, 0]),
        channelMember: calculate(input, [...initial.slice(0, 10), 3]),
        lastBytes: calculate(input + size - 11, initial),
        pastTheEnd: calculate(input + size - 10, initial),
        beforeTheStart: exports.tessivar_calculate(input - 1, 11),
        nowhere: exports.tessivar_calculate(0, 11),
        decode: decode(["0B62", "5"], [4, 1, -1, -1]),
        decodeThree: decode(["0B62", "5"], [4, 1, -1], undefined, 3),
        lengthsBeyondSize: decode(["0B62", "5"], [4, 1, -1, -1], 4),
        sizeBeyondLengths: decode(["0B62", "5"], [4, 1, -1, -1], 6),
        textsPastTheEnd: exports.tessivar_decode(input + 16, size - 15, input, 4),
        lengthsPastTheEnd: exports.tessivar_decode(input + 16, 0, input + size - 15, 4),
        again: calculate(input, initial),
      };
    });
    const { decode, ...refusals } = answers;
    expect(decode).toMatch(/^1\tr\tCH1\t0B62\t115200 bps, .*\n2\tr\tCH1\t0005\tprotocol 5, .*\n$/);
    expect(refusals).toEqual({
      calculate: "1\t0B62\n2\t5\n",
      tooFew: -1,
      tooMany: -1,
      pairMember: -1,
      rateMember: -1,
      protocolMember: -1,
      channelMember: -1,
      lastBytes: "1\t0B62\n2\t5\n",
      pastTheEnd: -1,
      beforeTheStart: -1,
      nowhere: -1,
      decodeThree: -1,
      lengthsBeyondSize: -1,
      sizeBeyondLengths: -1,
      textsPastTheEnd: -1,
      lengthsPastTheEnd: -1,
      again: "1\t0B62\n2\t5\n",
    });
  });
});
