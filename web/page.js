"use strict";
// The page around the module: it builds the option groups from what the
// module describes, keeps the settings of each channel, passes them and the
// typed values to the module, and shows its answers. Every text it shows
// comes from the module, in the language chosen, or from the user, and goes
// in as text (textContent, value), never as markup. The markup names its
// texts (data-words, data-words-label, data-words-placeholder; data-n for
// the switch number in them); the module's page words fill them.
(async () => {
  const byId = (id) => document.getElementById(id);
  // Unpacked (the page carries it gzip-compressed), then compiled and
  // instantiated at once (the module is small), so that the first values are
  // on the page as soon as it is unpacked; in the background where a browser
  // allows only small modules to be compiled that way. A browser without
  // WebAssembly, or whose policy refuses to compile it, gets a plain
  // statement instead of empty boxes.
  let wasm;
  try {
    const packed = Uint8Array.from(atob(byId("module").textContent.trim()), (c) => c.charCodeAt(0));
    const unpacked = new Blob([packed]).stream().pipeThrough(new DecompressionStream("gzip"));
    const bytes = new Uint8Array(await new Response(unpacked).arrayBuffer());
    try {
      wasm = new WebAssembly.Instance(new WebAssembly.Module(bytes)).exports;
    } catch {
      wasm = (await WebAssembly.instantiate(bytes)).instance.exports;
    }
  } catch {
    byId("no-calculation").hidden = false;
    byId("calculate").hidden = byId("read").hidden = true;
    return;
  }
  const input = wasm.tessivar_input();
  const utf8 = new TextEncoder();

  // An answer as records: one array of fields per line.
  const records = (length) => {
    if (length < 0) throw new Error("the module refused the page's input");
    const answer = new Uint8Array(wasm.memory.buffer, wasm.tessivar_output(), length);
    return new TextDecoder().decode(answer).split("\n").slice(0, -1).map((line) => line.split("\t"));
  };
  // Records by switch: [[kind, ...fields], ...] for Switch 1 to 5.
  const bySwitch = (length) => {
    const items = [[], [], [], [], []];
    for (const [n, ...fields] of records(length)) items[n - 1].push(fields);
    return items;
  };
  const element = (name, text, className) => {
    const e = document.createElement(name);
    if (text !== undefined) e.textContent = text;
    if (className) e.className = className;
    return e;
  };
  // A text as UTF-8 in the input buffer at `at`; returns its length.
  const put = (text, at) => {
    const memory = new Uint8Array(wasm.memory.buffer, input, wasm.tessivar_input_size());
    const { read, written } = utf8.encodeInto(text, memory.subarray(at));
    if (read !== text.length) throw new Error("a text too long for the module");
    return written;
  };

  // The option groups: a fieldset each, its legend the group's caption;
  // built once, and their words put in again in each language. The
  // languages offered, each with its code, its tag and its own name.
  const groups = [];
  const languages = [];
  let stationName = "station";
  const describe = () => {
    let group;
    let m = 0;
    languages.length = 0;
    for (const [kind, ...fields] of records(wasm.tessivar_describe())) {
      if (kind === "v") {
        byId("version").textContent = fields[0];
      } else if (kind === "l") {
        languages.push({ code: fields[0], tag: fields[1], name: fields[2] });
      } else if (kind === "g") {
        const [name, caption, type, initial] = fields;
        group = groups.find((g) => g.name === name);
        if (!group) {
          const fieldset = element("fieldset", undefined, type);
          fieldset.append(element("legend"));
          byId(type === "bit" ? "bits" : "choices").append(fieldset);
          group = { name, type, initial: Number(initial), radios: [], fieldset };
          groups.push(group);
        }
        group.fieldset.firstChild.textContent = caption;
        m = 0;
      } else if (kind === "m") {
        if (!group.radios[m]) {
          const radio = element("input");
          radio.type = "radio";
          radio.name = group.name;
          radio.value = fields[0];
          const label = element("label");
          label.append(radio, "");
          group.fieldset.append(label);
          group.radios.push(radio);
        }
        group.radios[m++].nextSibling.data = fields[1];
      } else if (kind === "s") {
        stationName = fields[0];
      }
    }
  };
  describe();

  // The page's words in the language shown: each '%' in a text takes the
  // next value given.
  let words = {};
  let language = 0;
  const fill = (key, ...values) => {
    let i = 0;
    return words[key].replace(/%/g, () => values[i++]);
  };
  const speak = (index) => {
    language = index;
    wasm.tessivar_set_language(index);
    words = Object.fromEntries(records(wasm.tessivar_page_words()));
    describe();
    document.documentElement.lang = languages[index].tag;
    for (const e of document.querySelectorAll("[data-words]")) e.textContent = fill(e.dataset.words, e.dataset.n);
    for (const e of document.querySelectorAll("[data-words-label]")) e.setAttribute("aria-label", fill(e.dataset.wordsLabel, e.dataset.n));
    for (const e of document.querySelectorAll("[data-words-placeholder]")) e.placeholder = fill(e.dataset.wordsPlaceholder);
  };
  // The control that switches the language: a link per language, to this
  // same page in it (the address says which; see keepInAddress).
  const languageLinks = languages.map(({ tag, name }) => {
    const link = element("a", name);
    link.lang = link.hreflang = tag;
    byId("languages").append(link);
    return link;
  });
  // Without a language in the address, the browser's first: a Chinese one
  // means Chinese.
  const preferred = () => {
    const [first = ""] = navigator.languages || [navigator.language || ""];
    const index = languages.findIndex(({ code }) => first.toLowerCase().split("-")[0] === code);
    return Math.max(index, 0);
  };
  const channelGroup = groups.findIndex((group) => group.type === "channel");
  const initial = groups.map((group) => group.initial);
  // The settings of CH1 and of CH2, a member index per group (the channel's
  // own entry unused), and the channel whose settings the options show:
  // 0 CH1, 1 CH2, 2 both (kept the same).
  const settings = [[...initial], [...initial]];
  let shown = initial[channelGroup];
  const edited = () => (shown === 2 ? [0, 1] : [shown]);

  const five = [1, 2, 3, 4, 5];
  const switches = five.map((n) => byId(`switch${n}`));
  const copies = switches.map((box) => box.nextElementSibling);
  const reads = five.map((n) => byId(`sw${n}`));
  const readings = reads.map((box) => byId(`${box.id}-reading`));
  const shownReadings = ["", "", "", "", ""];
  const status = byId("calculate-status");
  const station = byId("station");
  const title = byId("title");
  const nameOf = (box) => box.labels[0].textContent;
  // What a user may paste or type that means a plain value: full-width
  // digits and letters, no-break and other wide blanks.
  const plain = (text) => text.normalize("NFKC");

  // A reading in words ("CH1 0B62: 115200 bps, ...", "Switch 5 0012:
  // station 18 in decimal"), a note or an error.
  const paragraph = (box) => ([kind, ...fields]) =>
    kind === "r"
      ? element("p", fill("reading", fields[0] || nameOf(box), fields[1], fields[2]))
      : element("p", fields[0], kind === "e" ? "error" : "note");
  const readable = (items) => items.filter(([kind]) => kind !== "w");

  // Both channels and the station: the five values, their readings and the
  // notes of each pair.
  let calculated = [[], [], [], [], []];
  const calculate = () => {
    const members = settings.flatMap((channel, c) => channel.map((m, g) => (g === channelGroup ? c : m)));
    new Uint8Array(wasm.memory.buffer, input, members.length).set(members);
    const stationText = plain(station.value);
    const length = put(stationText, members.length);
    calculated = bySwitch(wasm.tessivar_calculate_all(input, members.length, input + members.length, length));
    calculated.forEach((items, i) => {
      const write = items.find(([kind]) => kind === "w");
      switches[i].value = write ? write[1] : "";
      copies[i].disabled = !write;
    });
    const [reading5] = calculated[4].filter(([kind]) => kind === "r");
    byId("switch5-decimal").textContent = reading5 ? reading5[3] : "";
    const [error5] = calculated[4].filter(([kind]) => kind === "e");
    byId("station-message").textContent = error5 ? error5[1] : "";
    if (error5) station.setAttribute("aria-invalid", "true");
    else station.removeAttribute("aria-invalid");
    // Beside the values, and on a phone under the options (where the values
    // are held at the foot of the screen, and the notes would hide the page).
    const notes = calculated.flatMap((items) => items.filter(([kind]) => kind === "n").map(([, text]) => text));
    for (const box of [byId("calculate-notes"), document.querySelector(".notes-below")]) {
      box.replaceChildren(...notes.map((text) => element("p", text, "note")));
    }
  };
  // What the change meant, said once: the values of the channel(s) edited
  // and their notes, or Switch 5.
  const announce = (numbers) => {
    status.classList.remove("shown");
    status.textContent = numbers
      .flatMap((n) => {
        const items = calculated[n - 1];
        const error = items.find(([kind]) => kind === "e");
        if (error) return [error[1]];
        return [`${nameOf(switches[n - 1])} ${switches[n - 1].value}`, ...items.filter(([kind]) => kind === "n").map(([, t]) => t)];
      })
      .join(words.and);
  };
  const channelSwitches = () => edited().flatMap((c) => [2 * c + 1, 2 * c + 2]).sort();
  // The options show the settings of the channel they edit.
  const showSettings = () => {
    const members = settings[shown === 1 ? 1 : 0];
    groups.forEach((group, g) => (group.radios[g === channelGroup ? shown : members[g]].checked = true));
  };

  // Each box's reading beside it; a box whose reading is unchanged is left
  // alone. The typed box's reading is announced once the typing pauses.
  const decode = (boxes) => {
    const lengths = new DataView(wasm.memory.buffer, input, 4 * boxes.length);
    let end = lengths.byteLength;
    boxes.forEach((box, i) => {
      const written = put(plain(box.value), end);
      lengths.setUint32(4 * i, box.value ? written : 0xffffffff, true);
      end += written;
    });
    return bySwitch(wasm.tessivar_decode(input + lengths.byteLength, end - lengths.byteLength, input, boxes.length));
  };
  const readValues = () => {
    decode(reads).forEach((items, i) => {
      const shownText = JSON.stringify(items);
      if (shownText === shownReadings[i]) return;
      shownReadings[i] = shownText;
      readings[i].replaceChildren(...items.map(paragraph(reads[i])));
      if (items.some(([kind]) => kind === "e")) {
        reads[i].setAttribute("aria-invalid", "true");
      } else {
        reads[i].removeAttribute("aria-invalid");
      }
    });
  };
  let announceTimer = 0;
  const announceReading = (i) => {
    clearTimeout(announceTimer);
    announceTimer = setTimeout(() => {
      const texts = [...readings[i].children].map((p) => p.textContent);
      const name = nameOf(reads[i]);
      const said = texts.join(words.then);
      byId("read-announcement").textContent = !said || said.startsWith(name) ? said : fill("named", name, said);
    }, 800);
  };

  // The printed sheet: the module's title, every value with its setting in
  // words and its notes, the date printed and the version.
  const fillSheet = (table, boxes, answers) => {
    const rows = [];
    answers.forEach((items, i) => {
      const shownItems = readable(items);
      if (shownItems.length === 0) return;
      const row = element("tr");
      const cell = element("td");
      cell.append(...shownItems.map(paragraph(boxes[i])));
      row.append(element("th", nameOf(boxes[i])), element("td", boxes[i].value), cell);
      row.firstChild.scope = "row";
      rows.push(row);
    });
    table.tBodies[0].replaceChildren(...rows);
    table.hidden = rows.length === 0;
  };
  const datePrinted = () => {
    const now = new Date();
    const two = (n) => String(n).padStart(2, "0");
    byId("sheet-printed").textContent =
      fill("printed", `${now.getFullYear()}-${two(now.getMonth() + 1)}-${two(now.getDate())}`, byId("version").textContent);
  };

  // The address's fragment keeps everything the page shows: the title, the
  // options as shown (<group>=<member>), the other channel's settings when
  // the channels differ (ch1.<group> or ch2.<group>), the station, and the
  // Read values boxes (sw1 to sw5). It is written at every change.
  const keepInAddress = () => {
    const parts = new URLSearchParams();
    if (title.value) parts.append("title", title.value);
    for (const group of groups) parts.append(group.name, group.radios.find((r) => r.checked).value);
    if (shown !== 2) {
      const other = 1 - shown;
      groups.forEach((group, g) => {
        if (g !== channelGroup) parts.append(`ch${other + 1}.${group.name}`, group.radios[settings[other][g]].value);
      });
    }
    parts.append(stationName, station.value);
    parts.set("lang", languages[language].code);
    for (const box of reads) if (box.value) parts.append(box.id, box.value);
    const fragment = `#${parts}`;
    // Each language's link: this same address in that language.
    languageLinks.forEach((link, i) => {
      parts.set("lang", languages[i].code);
      link.href = `#${parts}`;
      if (i === language) link.setAttribute("aria-current", "true");
      else link.removeAttribute("aria-current");
    });
    if (location.hash !== fragment) history.replaceState(null, "", fragment);
  };
  // What the fragment says, part by part; a part that names no group or box,
  // or a value that is not one of the group's, is ignored. Options without a
  // channel's prefix are those shown, as in links of one channel; the other
  // channel's settings start as the initial ones.
  const takeFromAddress = () => {
    const asShown = [...initial];
    const others = [[...initial], [...initial]];
    for (const box of [title, ...reads]) box.value = "";
    station.value = "0";
    for (const [key, value] of new URLSearchParams(location.hash.slice(1))) {
      const [, prefix, name] = /^(?:ch([12])\.)?(.*)$/s.exec(key);
      const g = groups.findIndex((group) => group.name === name);
      const m = g < 0 ? -1 : groups[g].radios.findIndex((r) => r.value === value);
      if (m >= 0 && !prefix) asShown[g] = m;
      if (m >= 0 && prefix && g !== channelGroup) others[prefix - 1][g] = m;
      const box = [title, station, ...reads].find((b) => (b === station ? stationName : b.id) === key);
      if (box && value.length <= box.maxLength) box.value = value;
    }
    shown = asShown[channelGroup];
    others.forEach((other, c) => (settings[c] = edited().includes(c) ? [...asShown] : other));
  };

  const update = () => {
    document.title = title.value ? fill("titled", title.value) : words.title;
    byId("sheet-title").textContent = title.value;
    fillSheet(byId("sheet-calculate"), switches, calculated);
    fillSheet(byId("sheet-read"), reads, shownReadings.map((text) => (text ? JSON.parse(text) : [])));
    keepInAddress();
  };
  // The language the address names, else the browser's; what was shown in
  // another language is shown again in this one.
  const start = () => {
    const asked = languages.findIndex(({ code }) => code === new URLSearchParams(location.hash.slice(1)).get("lang"));
    if (asked !== language || !words.title) speak(asked >= 0 ? asked : preferred());
    shownReadings.fill("");
    takeFromAddress();
    showSettings();
    calculate();
    announce(channelSwitches());
    readValues();
    datePrinted();
    update();
  };

  groups.forEach((group, g) =>
    group.fieldset.addEventListener("change", (event) => {
      const m = group.radios.indexOf(event.target);
      if (g === channelGroup) {
        // Both the same: the other channel takes the settings shown.
        if (m === 2 && shown !== 2) settings[1 - shown] = [...settings[shown]];
        shown = m;
        showSettings();
      } else {
        for (const c of edited()) settings[c][g] = m;
      }
      calculate();
      announce(channelSwitches());
      update();
    }),
  );
  station.addEventListener("input", () => (calculate(), announce([5]), update()));
  title.addEventListener("input", update);
  reads.forEach((box, i) => {
    box.addEventListener("input", () => (readValues(), update(), announceReading(i)));
    // A column or a row of values (lines, or cells separated by tabs) fills
    // this box and those after it.
    box.addEventListener("paste", (event) => {
      const values = event.clipboardData.getData("text").replace(/[\r\n]+$/, "").split(/\r\n|[\r\n\t]/);
      if (values.length < 2) return;
      event.preventDefault();
      values.slice(0, reads.length - i).forEach((value, k) => (reads[i + k].value = value.trim().slice(0, box.maxLength)));
      readValues();
      update();
      announceReading(i);
    });
  });
  // A copy by the clipboard's interface, or where that is missing or
  // refused, by selecting the value's text (not the box: the focus stays on
  // the button); the user is told what happened.
  const copyBySelection = (text, button) => {
    const span = element("span", text, "visually-hidden");
    button.after(span);
    const range = document.createRange();
    range.selectNodeContents(span);
    getSelection().removeAllRanges();
    getSelection().addRange(range);
    let copied = false;
    try {
      copied = document.execCommand("copy");
    } catch {}
    getSelection().removeAllRanges();
    span.remove();
    return copied;
  };
  copies.forEach((button, i) =>
    button.addEventListener("click", async () => {
      const box = switches[i];
      let copied = true;
      try {
        await navigator.clipboard.writeText(box.value);
      } catch {
        copied = copyBySelection(box.value, button);
      }
      button.focus();
      status.textContent = fill(copied ? "copied" : "not-copied", nameOf(box), box.value);
      status.classList.add("shown");
    }),
  );
  addEventListener("hashchange", start);
  addEventListener("beforeprint", datePrinted);
  start();
})();
