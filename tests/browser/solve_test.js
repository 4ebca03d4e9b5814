// Exports crosswords with quadrivo-tool and solves the pages in headless
// Chromium with the keyboard and the mouse, as a solver would.
//   TOOL     quadrivo-tool to export with (required)
//   CHROMIUM the browser (default /usr/bin/chromium)
//   SHOTS    a folder: screenshots of the 15 x 11 page half filled, solved
//            and on a phone-sized screen (optional)
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const { execFileSync } = require("child_process");
const { pathToFileURL } = require("url");
let puppeteer;
try {
  puppeteer = require("puppeteer-core");
} catch (e) {
  console.error("FALLITO: manca puppeteer-core: eseguire 'npm ci' in tests/browser (bash setup.sh test lo fa)");
  process.exit(1);
}

const WAIT_MS = 15000;
const here = __dirname;
const tool = process.env.TOOL;
const chromium = process.env.CHROMIUM || "/usr/bin/chromium";
const shots = process.env.SHOTS || "";

// The whole run has its own limit, below ctest's.
setTimeout(() => { console.error("FALLITO: la prova non è finita in 150 s"); process.exit(1); }, 150000).unref();

function check(condition, message) { if (!condition) throw new Error(message); }
function same(actual, expected, what) {
  const a = JSON.stringify(actual), e = JSON.stringify(expected);
  check(a === e, `${what}: atteso ${e}, trovato ${a}`);
}

// The crossword as the .qdr file holds it, read here on its own: letters
// ("" for an empty white cell, null for a black one), words numbered in
// reading order, clues.
function readCrossword(file) {
  const lines = new TextDecoder("windows-1252").decode(fs.readFileSync(file)).split("\r\n");
  const cols = parseInt(lines[3].substr(13, 2), 10), rows = parseInt(lines[3].substr(16, 2), 10);
  const cell = [];
  for (let r = 0; r < rows; r++) {
    cell.push([]);
    for (let c = 0; c < cols; c++) {
      const ch = String.fromCharCode(lines[4 + r].charCodeAt(2 * c) - 26);
      cell[r].push(ch === "*" ? null : ch === "." ? "" : ch);
    }
  }
  const clue = {};
  for (const line of lines.slice(4 + rows)) if (line.length > 8) clue[line.substr(0, 7).replace(/ +/g, ",")] = line.substr(8);
  const white = (c, r) => c >= 0 && r >= 0 && c < cols && r < rows && cell[r][c] !== null;
  const words = { 1: [], 2: [] };
  let n = 0;
  for (let r = 0; r < rows; r++)
    for (let c = 0; c < cols; c++) {
      if (!white(c, r)) continue;
      let numbered = false;
      for (const [d, dc, dr] of [[1, 1, 0], [2, 0, 1]]) {
        if (white(c - dc, r - dr) || !white(c + dc, r + dr)) continue;
        if (!numbered) { n++; numbered = true; }
        const cells = [];
        for (let k = 0; white(c + k * dc, r + k * dr); k++) cells.push([c + 1 + k * dc, r + 1 + k * dr]);
        words[d].push({ number: n, direction: d, cells, letters: cells.map(([x, y]) => cell[y - 1][x - 1]).join(""),
                        clue: clue[`,${c + 1},${r + 1}${d}`] || "" });
      }
    }
  return { cols, rows, cell, words, all: words[1].concat(words[2]) };
}

function exportPage(qdr, folder) {
  const out = path.join(folder, path.basename(qdr, ".qdr") + ".html");
  execFileSync(tool, ["esporta", qdr, out], { timeout: 30000, stdio: ["ignore", "inherit", "inherit"] });
  return pathToFileURL(out).href;
}

const at = (c, r) => `.casella[data-colonna="${c}"][data-riga="${r}"]`;
const grid = (page) => page.$$eval(".casella[data-colonna]", (els) =>
  els.map((el) => [Number(el.dataset.colonna), Number(el.dataset.riga), el.textContent]));
const lettersOf = (page, cells) => page.$$eval(".casella[data-colonna]", (els, cells) =>
  cells.map(([c, r]) => els.find((el) => el.dataset.colonna == c && el.dataset.riga == r).textContent).join(""), cells);
const marked = (page, cls) => page.$$eval(`.casella.${cls}`, (els) =>
  els.map((el) => [Number(el.dataset.colonna), Number(el.dataset.riga)]));
const active = (page) => page.$eval(".casella.attiva", (el) => [Number(el.dataset.colonna), Number(el.dataset.riga)]);
const state = (page) => page.$eval("body", (b) => b.dataset.stato);

async function waitForState(page, wanted, what) {
  try {
    await page.waitForFunction((s) => document.body.dataset.stato === s, { timeout: WAIT_MS }, wanted);
  } catch (e) {
    throw new Error(`${what}: <body data-stato="${wanted}"> non è arrivato in ${WAIT_MS / 1000} s (è "${await state(page)}")`);
  }
}

async function open(browser, url) {
  const page = await browser.newPage();
  page.setDefaultTimeout(WAIT_MS);
  page.on("dialog", (d) => d.accept());
  page.on("pageerror", (e) => { console.error("Errore nella pagina: " + e.message); process.exitCode = 1; });
  await page.goto(url, { waitUntil: "load" });
  return page;
}

// The small crossword: every way of moving and writing, the checks, the
// hints and a reload.
async function smallCrossword(browser, folder) {
  const x = readCrossword(path.join(here, "prova.qdr"));
  const page = await open(browser, exportPage(path.join(here, "prova.qdr"), folder));
  const word = (d, n) => x.words[d].find((w) => w.number === n);

  for (const [d, id] of [[1, "orizzontali"], [2, "verticali"]])
    same(await page.$$eval(`#${id} li`, (lis) => lis.map((li) => [Number(li.dataset.numero), li.querySelector(".testo").textContent])),
         x.words[d].map((w) => [w.number, w.clue]), `definizioni ${id}`);
  same(await state(page), "in-corso", "stato all'apertura");

  // A click selects the word across, a second click and the space bar turn it.
  const ora = word(1, 4), sole = word(2, 2);
  await page.click(at(3, 2));
  same(await marked(page, "parola"), ora.cells, "parola dopo un clic su 3,2");
  check((await page.$eval("#definizione-attiva", (el) => el.textContent)).includes(ora.clue), "la definizione di 4 orizzontale non è mostrata");
  await page.click(at(3, 2));
  same(await marked(page, "parola"), sole.cells, "parola dopo il secondo clic su 3,2");
  await page.keyboard.press("Space");
  same(await marked(page, "parola"), ora.cells, "parola dopo la barra spaziatrice");

  // A click on a clue, then typing moves along the word.
  await page.click("#orizzontali li[data-numero='1']");
  same(await active(page), word(1, 1).cells[0], "casella dopo il clic sulla definizione 1 orizzontale");
  await page.keyboard.type(word(1, 1).letters.toLowerCase());
  same(await lettersOf(page, word(1, 1).cells), word(1, 1).letters, "1 orizzontale battuta");

  // Tab to the next word; a wrong letter is marked by "Verifica" and only it.
  await page.keyboard.press("Tab");
  same(await active(page), ora.cells[0], "casella dopo Tab");
  const wrong = ora.letters.slice(0, -1) + (ora.letters.endsWith("X") ? "Y" : "X");
  await page.keyboard.type(wrong);
  await page.click("#verifica");
  same(await marked(page, "errata"), [ora.cells[ora.cells.length - 1]], "caselle segnate da Verifica");
  await page.keyboard.press("Backspace");
  await page.keyboard.type(ora.letters.slice(-1));
  same(await lettersOf(page, ora.cells), ora.letters, "4 orizzontale corretta");
  same(await marked(page, "errata"), [], "segni rimasti dopo la correzione");

  // Backspace clears the cell, and on an empty cell goes back one; an
  // accented key writes its plain letter.
  await page.keyboard.press("Tab");
  const rele = word(1, 5);
  await page.keyboard.type(rele.letters.slice(0, 3) + "Q");
  await page.keyboard.press("Backspace");
  await page.keyboard.press("Backspace");
  same(await lettersOf(page, rele.cells), rele.letters.slice(0, 2), "5 orizzontale dopo due Backspace");
  same(await active(page), rele.cells[2], "casella dopo due Backspace");
  await page.keyboard.type(rele.letters.charAt(2) + (rele.letters.charAt(3) === "E" ? "è" : rele.letters.charAt(3)));
  same(await lettersOf(page, rele.cells), rele.letters, "5 orizzontale completata");

  for (const w of x.words[2]) {
    await page.keyboard.press("Tab");
    same(await active(page), w.cells[0], `casella dopo Tab verso ${w.number} verticale`);
    if (w === x.words[2][x.words[2].length - 1]) {
      const before = await grid(page);
      await page.reload({ waitUntil: "load" });
      same(await grid(page), before, "lettere dopo il ricaricamento");
      await page.click(`#verticali li[data-numero='${w.number}']`);
    }
    await page.keyboard.type(w.letters);
  }

  // The white cell the crossword left empty is reached with the arrows,
  // over a black cell, and takes any letter.
  const empty = [];
  x.cell.forEach((row, r) => row.forEach((ch, c) => { if (ch === "") empty.push([c + 1, r + 1]); }));
  same(empty.length, 1, "caselle vuote di prova.qdr");
  same(await state(page), "in-corso", "stato con una casella vuota");
  await page.click(at(4, 2));
  for (const key of ["ArrowRight", "ArrowDown"]) await page.keyboard.press(key);
  same(await active(page), empty[0], "casella dopo le frecce");
  await page.keyboard.type("k");
  await waitForState(page, "risolto", "cruciverba piccolo battuto tutto");

  // The buttons.
  await page.click("#cancella-tutto");
  same((await grid(page)).filter(([, , t]) => t !== ""), [], "lettere dopo Cancella tutto");
  same(await state(page), "in-corso", "stato dopo Cancella tutto");
  await page.click(at(2, 3));
  await page.click("#mostra-lettera");
  same(await lettersOf(page, [[2, 3]]), x.cell[2][1], "Mostra lettera");
  same(await marked(page, "rivelata"), [[2, 3]], "casella rivelata");
  await page.click("#mostra-soluzione");
  same(await grid(page), (await grid(page)).map(([c, r]) => [c, r, x.cell[r - 1][c - 1]]), "Mostra soluzione");
  await page.close();
}

// The 15 x 11 sample, solved word after word with Tab; screenshots when asked.
async function sample(browser, folder) {
  const x = readCrossword(path.join(here, "settimanale.qdr"));
  same([x.cols, x.rows], [15, 11], "dimensioni del campione");
  const url = exportPage(path.join(here, "settimanale.qdr"), folder);
  const page = await open(browser, url);
  await page.setViewport({ width: 1280, height: 900 });
  await page.click("#orizzontali li[data-numero='1']");
  const half = Math.floor(x.words[1].length / 2);  // about half the cells
  for (let i = 0; i < x.all.length; i++) {
    if (i > 0) await page.keyboard.press("Tab");
    same(await active(page), x.all[i].cells[0], `inizio della parola ${i + 1} del campione`);
    await page.keyboard.type(x.all[i].letters);
    if (i === half && shots) await page.screenshot({ path: path.join(shots, "mezzo.png"), fullPage: true });
  }
  await waitForState(page, "risolto", "campione 15 x 11 battuto tutto");
  if (shots) {
    await page.screenshot({ path: path.join(shots, "risolto.png"), fullPage: true });
    await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
    await page.reload({ waitUntil: "load" });
    await page.screenshot({ path: path.join(shots, "telefono.png"), fullPage: true });
  }
  // The grid fits a phone's width.
  await page.setViewport({ width: 360, height: 740 });
  const width = await page.$eval("#griglia", (el) => el.getBoundingClientRect().right);
  check(width <= 360, `la griglia esce dallo schermo di un telefono (bordo destro a ${width}px)`);
  await page.close();
}

(async () => {
  check(tool, "manca TOOL (quadrivo-tool)");
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), "quadrivo-pagina-"));
  const browser = await puppeteer.launch({
    executablePath: chromium, headless: true, timeout: 30000, protocolTimeout: 30000,
    userDataDir: path.join(folder, "profilo"),
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync", "--disable-dev-shm-usage"],
  });
  try {
    await smallCrossword(browser, folder);
    await sample(browser, folder);
  } finally {
    await browser.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
  if (process.exitCode) throw new Error("la pagina ha dato errori");
  console.log("Pagine risolte nel browser.");
})().catch((e) => { console.error("FALLITO: " + e.message); process.exit(1); });
