"use strict";
// The page around the module: it builds the option groups from what the
// module describes, passes the selection and the typed values to it, and
// shows its answers. Every text it shows comes from the module or from the
// page's markup, and goes in as text (textContent, value), never as markup.
(async () => {
  const byId = (id) => document.getElementById(id);
  const bytes = Uint8Array.from(atob(byId("module").textContent.trim()), (c) => c.charCodeAt(0));
  // Compiled and instantiated at once (the module is small), so that the
  // first values are on the page before its first frame; in the background
  // where a browser allows only small modules to be compiled that way.
  let wasm;
  try {
    wasm = new WebAssembly.Instance(new WebAssembly.Module(bytes)).exports;
  } catch {
    wasm = (await WebAssembly.instantiate(bytes)).instance.exports;
  }
  const input = wasm.tessivar_input();
  const inputSize = wasm.tessivar_input_size();
  const utf8 = new TextEncoder();

  // An answer as records: one array of fields per line.
  const records = (length) => {
    if (length < 0) throw new Error("the module refused the page's input");
    const answer = new Uint8Array(wasm.memory.buffer, wasm.tessivar_output(), length);
    return new TextDecoder().decode(answer).split("\n").slice(0, -1).map((line) => line.split("\t"));
  };
  const element = (name, text, className) => {
    const e = document.createElement(name);
    if (text !== undefined) e.textContent = text;
    if (className) e.className = className;
    return e;
  };

  // The option groups: a fieldset each, its legend the group's caption.
  const groups = [];
  for (const [kind, ...fields] of records(wasm.tessivar_describe())) {
    if (kind === "v") {
      byId("version").textContent = fields[0];
    } else if (kind === "g") {
      const [name, caption, type, initial] = fields;
      const fieldset = element("fieldset", undefined, type);
      fieldset.append(element("legend", caption));
      byId(type === "bit" ? "bits" : "choices").append(fieldset);
      groups.push({ name, initial: Number(initial), radios: [], fieldset });
    } else if (kind === "m") {
      const group = groups[groups.length - 1];
      const radio = element("input");
      radio.type = "radio";
      radio.name = group.name;
      radio.value = fields[0];
      const label = element("label");
      label.append(radio, fields[1]);
      group.fieldset.append(label);
      group.radios.push(radio);
    }
  }

  const four = [1, 2, 3, 4];
  const switches = four.map((n) => byId(`switch${n}`));
  const copies = switches.map((box) => box.nextElementSibling);
  const reads = four.map((n) => byId(`sw${n}`));
  const readings = reads.map((box) => byId(`${box.id}-reading`));
  const shownReadings = ["", "", "", ""];
  const status = byId("calculate-status");
  const nameOf = (box) => box.labels[0].textContent;

  // The texts of Switch 1 to 4 read by the module; an empty text is no value.
  const decode = (texts) => {
    const memory = new Uint8Array(wasm.memory.buffer, input, inputSize);
    const lengths = new DataView(wasm.memory.buffer, input, 16);
    let end = 16;
    texts.forEach((text, i) => {
      const { read, written } = utf8.encodeInto(text, memory.subarray(end));
      if (read !== text.length) throw new Error("a text too long for the module");
      lengths.setUint32(4 * i, text ? written : 0xffffffff, true);
      end += written;
    });
    const bySwitch = [[], [], [], []];
    for (const [n, ...fields] of records(wasm.tessivar_decode(input + 16, end - 16, input, 4))) {
      bySwitch[n - 1].push(fields);
    }
    return bySwitch;
  };
  // A reading in words: "CH1 0B62: 115200 bps, ...", a note or an error.
  const paragraph = ([kind, ...fields]) =>
    kind === "r"
      ? element("p", `${fields[0]} ${fields[1]}: ${fields[2]}`)
      : element("p", fields[0], kind === "e" ? "error" : "note");

  const calculate = () => {
    const members = groups.map((group) => group.radios.findIndex((radio) => radio.checked));
    new Uint8Array(wasm.memory.buffer, input, members.length).set(members);
    const writes = records(wasm.tessivar_calculate(input, members.length));
    for (const [n, text] of writes) {
      switches[n - 1].value = text;
      copies[n - 1].disabled = text === "";
    }
    status.textContent = writes
      .sort((a, b) => a[0] - b[0])
      .map(([n, text]) => `${nameOf(switches[n - 1])} ${text}`)
      .join(", ");
  };

  // Each box's reading beside it; a box whose reading is unchanged is left
  // alone, so that only what changed is announced.
  const readValues = () => {
    decode(reads.map((box) => box.value)).forEach((items, i) => {
      const shown = JSON.stringify(items);
      if (shown === shownReadings[i]) return;
      shownReadings[i] = shown;
      readings[i].replaceChildren(...items.map(paragraph));
      if (items.some(([kind]) => kind === "e")) {
        reads[i].setAttribute("aria-invalid", "true");
      } else {
        reads[i].removeAttribute("aria-invalid");
      }
    });
  };

  // The printed sheet: every value shown, with its setting in words.
  const fillSheet = (table, boxes) => {
    const rows = [];
    decode(boxes.map((box) => box.value)).forEach((items, i) => {
      if (items.length === 0) return;
      const row = element("tr");
      const words = element("td");
      words.append(...items.map(paragraph));
      row.append(element("th", nameOf(boxes[i])), element("td", boxes[i].value), words);
      row.firstChild.scope = "row";
      rows.push(row);
    });
    table.tBodies[0].replaceChildren(...rows);
    table.hidden = rows.length === 0;
  };

  // The address's fragment keeps the selection and the typed values:
  // <group>=<member> for each option group, sw1 to sw4 for the boxes.
  const keepInAddress = () => {
    const parts = new URLSearchParams();
    for (const group of groups) parts.append(group.name, group.radios.find((r) => r.checked).value);
    for (const box of reads) if (box.value) parts.append(box.id, box.value);
    history.replaceState(null, "", `#${parts}`);
  };
  // What the fragment says, part by part; a part that names no group or box,
  // or a value that is not one of the group's, is ignored.
  const takeFromAddress = () => {
    for (const group of groups) group.radios[group.initial].checked = true;
    for (const box of [...switches, ...reads]) box.value = "";
    for (const button of copies) button.disabled = true;
    for (const [key, value] of new URLSearchParams(location.hash.slice(1))) {
      const group = groups.find((g) => g.name === key);
      const radio = group && group.radios.find((r) => r.value === value);
      if (radio) radio.checked = true;
      const box = reads.find((b) => b.id === key);
      if (box && value.length <= box.maxLength) box.value = value;
    }
  };

  // Writing the address costs more than the rest of an update, so it
  // follows once the user pauses (and when the page is left).
  let addressTimer = 0;
  const update = () => {
    fillSheet(byId("sheet-calculate"), switches);
    fillSheet(byId("sheet-read"), reads);
    clearTimeout(addressTimer);
    addressTimer = setTimeout(keepInAddress, 250);
  };
  const start = () => {
    takeFromAddress();
    calculate();
    readValues();
    update();
    clearTimeout(addressTimer);
    keepInAddress();
  };

  for (const group of groups) group.fieldset.addEventListener("change", () => (calculate(), update()));
  for (const box of reads) box.addEventListener("input", () => (readValues(), update()));
  copies.forEach((button, i) =>
    button.addEventListener("click", async () => {
      const box = switches[i];
      try {
        await navigator.clipboard.writeText(box.value);
      } catch {
        box.select();
        document.execCommand("copy");
      }
      status.textContent = `${nameOf(box)} ${box.value} copied`;
    }),
  );
  addEventListener("hashchange", start);
  addEventListener("pagehide", keepInAddress);
  start();
})();
