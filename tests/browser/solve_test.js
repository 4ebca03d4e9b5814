// Exports crosswords with quadrivo-tool (TOOL) and solves the pages in
// headless Chromium (CHROMIUM, default /usr/bin/chromium) with keyboard and
// mouse. SHOTS=folder keeps screenshots of the 15 x 11 sample.
"use strict";
const fs = require("fs"), os = require("os"), path = require("path");
const { execFileSync } = require("child_process"), { pathToFileURL } = require("url");
let puppeteer;
try { puppeteer = require("puppeteer-core"); } catch (e) {
  console.error("FALLITO: manca puppeteer-core: 'npm ci' in tests/browser (bash setup.sh test lo fa)");
  process.exit(1);
}
const WAIT_MS = 15000, shots = process.env.SHOTS;
setTimeout(() => { console.error("FALLITO: la prova non è finita in 150 s"); process.exit(1); }, 150000).unref();

function same(actual, expected, what) {
  const a = JSON.stringify(actual), e = JSON.stringify(expected);
  if (a !== e) throw new Error(`${what}: atteso ${e}, trovato ${a}`);
}

// The .qdr read here on its own: letters by [row][column] (null black, ""
// empty), words in reading order across then down, [column, row] 1-based.
function readCrossword(file) {
  const lines = new TextDecoder("windows-1252").decode(fs.readFileSync(file)).split("\r\n");
  const cols = Number(lines[3].substr(13, 2)), rows = Number(lines[3].substr(16, 2));
  const cell = [...Array(rows)].map((_, r) => [...Array(cols)].map((_, c) => {
    const ch = String.fromCharCode(lines[4 + r].charCodeAt(2 * c) - 26);
    return ch === "*" ? null : ch === "." ? "" : ch;
  }));
  const clue = Object.fromEntries(lines.slice(4 + rows).filter((l) => l).map((l) => [l.substr(0, 7).trim().split(/ +/).join(","), l.substr(8)]));
  const white = (c, r) => c >= 0 && r >= 0 && c < cols && r < rows && cell[r][c] !== null;
  const steps = [[1, 0], [0, 1]], words = [[], []];
  let n = 0;
  for (let r = 0; r < rows; r++)
    for (let c = 0; c < cols; c++) {
      const starts = steps.map(([dc, dr]) => white(c, r) && !white(c - dc, r - dr) && white(c + dc, r + dr));
      if (starts.includes(true)) n++;
      starts.forEach((s, d) => {
        if (!s) return;
        const [dc, dr] = steps[d], cells = [];
        for (let k = 0; white(c + k * dc, r + k * dr); k++) cells.push([c + 1 + k * dc, r + 1 + k * dr]);
        words[d].push({ number: n, cells, letters: cells.map(([x, y]) => cell[y - 1][x - 1]).join(""), clue: clue[`${c + 1},${r + 1}${d + 1}`] ?? "" });
      });
    }
  return { cols, rows, cell, words, all: words[0].concat(words[1]) };
}

async function open(browser, qdr, folder) {
  const out = path.join(folder, path.basename(qdr, ".qdr") + ".html");
  execFileSync(process.env.TOOL, ["esporta", qdr, out], { timeout: 30000, stdio: "inherit" });
  const page = await browser.newPage();
  page.setDefaultTimeout(WAIT_MS);
  page.on("dialog", (d) => d.accept());
  page.on("pageerror", (e) => { console.error("Errore nella pagina: " + e.message); process.exitCode = 1; });
  await page.goto(pathToFileURL(out).href, { waitUntil: "load" });
  return page;
}

const at = (c, r) => `.casella[data-colonna="${c}"][data-riga="${r}"]`;
const cells = (page, sel = "[data-colonna]") => page.$$eval(".casella" + sel, (els) => els.map((el) => [+el.dataset.colonna, +el.dataset.riga, el.textContent]));
const marked = async (page, cls) => (await cells(page, "." + cls)).map(([c, r]) => [c, r]);
const letters = async (page, word) => (await Promise.all(word.cells.map(([c, r]) => page.$eval(at(c, r), (el) => el.textContent)))).join("");
async function waitForState(page, wanted, what) {
  await page.waitForFunction((s) => document.body.dataset.stato === s, { timeout: WAIT_MS }, wanted)
    .catch(() => { throw new Error(`${what}: <body data-stato="${wanted}"> non è arrivato in ${WAIT_MS / 1000} s`); });
}

// The small crossword: every way of moving and writing, checks, hints, reload.
async function small(browser, folder) {
  const qdr = path.join(__dirname, "prova.qdr"), x = readCrossword(qdr), page = await open(browser, qdr, folder);
  const [casa, ora, rele] = x.words[0], k = page.keyboard;
  same(await page.$$eval(".elenco li", (lis) => lis.map((li) => li.dataset.numero + " " + li.querySelector(".testo").textContent)),
       x.all.map((w) => w.number + " " + w.clue), "definizioni");
  // Each click on 3,2 and the space bar turn the word marked there.
  for (const [act, word, what] of [[() => page.click(at(3, 2)), ora, "primo clic su 3,2"],
    [() => page.click(at(3, 2)), x.words[1][1], "secondo clic su 3,2"], [() => k.press("Space"), ora, "barra spaziatrice"]]) {
    await act();
    same(await marked(page, "parola"), word.cells, "parola dopo " + what);
  }
  await page.click("#orizzontali li[data-numero='1']");
  await k.type(casa.letters.toLowerCase());
  same(await letters(page, casa), casa.letters, "1 orizzontale battuta dopo un clic sulla definizione");
  await k.press("Tab");
  await k.type(ora.letters.slice(0, -1) + "X");
  await page.click("#verifica");
  same(await marked(page, "errata"), [ora.cells[2]], "caselle segnate da Verifica");
  await k.press("Backspace");
  await k.type(ora.letters.slice(-1));
  same([await letters(page, ora), await marked(page, "errata")], [ora.letters, []], "4 orizzontale corretta");
  await k.press("Tab");
  await k.type("RELQ");
  for (const _ of [1, 2]) await k.press("Backspace");  // the second on an empty cell: back one, and clear it
  same(await letters(page, rele), "RE", "5 orizzontale dopo due Backspace");
  await k.type("Lè");
  same(await letters(page, rele), rele.letters, "5 orizzontale con una lettera accentata");
  for (const w of x.words[1]) {
    await k.press("Tab");
    if (w === x.words[1][2]) {
      // The browser stores in the background: reload until the letters come
      // back, within the limit.
      const before = JSON.stringify(await cells(page)), until = Date.now() + WAIT_MS;
      do await page.reload({ waitUntil: "load" });
      while (JSON.stringify(await cells(page)) !== before && Date.now() < until && await new Promise((ok) => setTimeout(ok, 200, true)));
      same(JSON.stringify(await cells(page)), before, `lettere dopo il ricaricamento (atteso per ${WAIT_MS / 1000} s)`);
      await page.click(`#verticali li[data-numero='${w.number}']`);
    }
    await k.type(w.letters);
  }
  same(await page.$eval("body", (b) => b.dataset.stato), "in-corso", "stato con la casella vuota 5,4 da riempire");
  await page.click(at(4, 2));
  for (const key of ["ArrowRight", "ArrowDown"]) await k.press(key);  // down over the black cell 5,3
  await k.type("k");           // a cell the crossword leaves empty takes any letter
  same(await cells(page, ".attiva"), [[5, 4, "K"]], "casella raggiunta con le frecce");
  await waitForState(page, "risolto", "cruciverba piccolo battuto tutto");
  await page.click("#cancella-tutto");
  same(await cells(page, ":not(:empty)"), [], "lettere dopo Cancella tutto");
  await page.click(at(2, 3));
  await page.click("#mostra-lettera");
  same(await cells(page, ".rivelata"), [[2, 3, x.cell[2][1]]], "Mostra lettera");
  await page.click("#mostra-soluzione");
  same(await cells(page), (await cells(page)).map(([c, r]) => [c, r, x.cell[r - 1][c - 1]]), "Mostra soluzione");
}

// The 15 x 11 sample, solved word after word with Tab.
async function sample(browser, folder) {
  const qdr = path.join(__dirname, "settimanale.qdr"), x = readCrossword(qdr), page = await open(browser, qdr, folder);
  same([x.cols, x.rows], [15, 11], "dimensioni del campione");
  await page.setViewport({ width: 1280, height: 900 });
  await page.click("#orizzontali li[data-numero='1']");
  for (const [i, w] of x.all.entries()) {
    if (i > 0) await page.keyboard.press("Tab");
    same(await marked(page, "attiva"), [w.cells[0]], `inizio della parola ${w.number} del campione`);
    await page.keyboard.type(w.letters);
    if (shots && i === x.words[0].length >> 1) await page.screenshot({ path: path.join(shots, "mezzo.png"), fullPage: true });
  }
  await waitForState(page, "risolto", "campione 15 x 11 battuto tutto");
  if (shots) await page.screenshot({ path: path.join(shots, "risolto.png"), fullPage: true });
  await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
  if (shots) await page.screenshot({ path: path.join(shots, "telefono.png"), fullPage: true });
  const right = await page.$eval("#griglia", (el) => el.getBoundingClientRect().right);
  if (right > 390) throw new Error(`la griglia esce dallo schermo di un telefono (bordo destro a ${right}px)`);
}

(async () => {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), "quadrivo-pagina-"));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium", headless: true, timeout: 30000, protocolTimeout: 30000,
    userDataDir: path.join(folder, "profilo"),
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync", "--disable-dev-shm-usage"],
  });
  try {
    await small(browser, folder);
    await sample(browser, folder);
  } finally {
    await browser.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
  if (process.exitCode) throw new Error("la pagina ha dato errori");
  console.log("Pagine risolte nel browser.");
})().catch((e) => { console.error("FALLITO: " + e.message); process.exit(1); });
