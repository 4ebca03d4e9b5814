// The style sheet and the script written inline into the web page of a
// crossword (export_html.cpp writes the elements they work on).

#include "document/export_html.h"

namespace document {

namespace {

// The grid takes the width it has: a cell is 2.5rem at most, and on a
// narrow screen the width divided by the columns (borders and the 1px
// lines between cells counted).
constexpr std::string_view Style = R"css(
* { box-sizing: border-box; }
body {
  margin: 0 auto; max-width: 75rem; padding: 1rem;
  font-family: system-ui, "Segoe UI", Roboto, Arial, sans-serif;
  color: #111; background: #fff; line-height: 1.35;
}
header h1 { margin: 0 0 .2rem; font-size: 1.6rem; }
.autore { margin: 0 0 .8rem; color: #555; }
.pagina { display: flex; flex-wrap: wrap; gap: 1.5rem; align-items: flex-start; }
.zona-griglia { flex: 0 1 auto; max-width: 100%; }
#definizione-attiva {
  margin: 0 0 .5rem; padding: .35rem .6rem; min-height: 2.4em;
  background: #eef4ff; border-left: 4px solid #3a6fd8;
  position: sticky; top: 0; z-index: 2;
}
#griglia {
  --lato: min(2.5rem, (100vw - 2rem - 4px - var(--colonne) * 1px) / var(--colonne));
  position: relative; display: grid; gap: 1px; width: max-content;
  grid-template-columns: repeat(var(--colonne), var(--lato));
  grid-auto-rows: var(--lato);
  border: 2px solid #111; background: #111;
  user-select: none; -webkit-user-select: none; touch-action: manipulation;
}
.casella {
  position: relative; display: flex; align-items: center; justify-content: center;
  background: #fff; cursor: pointer;
  font-size: calc(var(--lato) * .58); font-weight: 600; padding-top: calc(var(--lato) * .1);
}
.casella.nera { background: #111; cursor: default; }
.casella[data-numero]::before {
  content: attr(data-numero); position: absolute; top: 1px; left: 2px;
  font-size: calc(var(--lato) * .28); font-weight: 400; line-height: 1;
}
.casella.parola { background: #cfe3ff; }
.casella.attiva { background: #ffd34d; }
.casella.errata {
  color: #c62828;
  background-image: linear-gradient(to top right, transparent 46%, #c62828 47%, #c62828 53%, transparent 54%);
}
.casella.rivelata::after {
  content: ""; position: absolute; top: 0; right: 0;
  border-style: solid; border-color: transparent #3a6fd8 transparent transparent;
  border-width: 0 calc(var(--lato) * .28) calc(var(--lato) * .28) 0;
}
#tastiera {
  position: absolute; left: 0; top: 0; width: var(--lato); height: var(--lato);
  opacity: 0; border: 0; padding: 0; font-size: 16px; caret-color: transparent;
}
.pulsanti { display: flex; flex-wrap: wrap; gap: .5rem; margin-top: .8rem; }
.pulsanti button {
  font: inherit; padding: .45rem .8rem; cursor: pointer;
  border: 1px solid #888; border-radius: 4px; background: #f4f4f4;
}
.pulsanti button:hover { background: #e6e6e6; }
#esito { min-height: 1.4em; font-weight: 600; }
body[data-stato="risolto"] #esito { color: #1b7a2b; }
.definizioni { flex: 1 1 20rem; display: flex; flex-wrap: wrap; gap: 0 1.5rem; }
.elenco { flex: 1 1 15rem; }
.elenco h2 { font-size: 1.05rem; margin: 0 0 .4rem; text-transform: uppercase; letter-spacing: .05em; }
.elenco ol { list-style: none; margin: 0 0 1rem; padding: 0; }
.elenco li { padding: .15rem .4rem .15rem 2.4em; text-indent: -2em; cursor: pointer; border-radius: 3px; }
.elenco li .numero { display: inline-block; min-width: 1.8em; text-indent: 0; font-weight: 700; }
.elenco li.attiva { background: #cfe3ff; }
@media (max-width: 40rem) {
  body { padding: .6rem 1rem; }
  header h1 { font-size: 1.3rem; }
}
@media print {
  #definizione-attiva, .pulsanti, #esito { display: none; }
  .casella.parola, .casella.attiva { background: #fff; }
}
)css";

// Words are the runs of two or more white cells, numbered by the number
// their first cell shows; the solution is unscrambled with the alphabet,
// step and offset the writer used.
constexpr std::string_view ScriptSetup = R"js(
(function () {
  "use strict";
  var ALFABETO = "KQZJXWVYFMBPGHUDCLRTNSOIAE_", PASSO = 7, SCARTO = 11;
  var ORIZZONTALE = 1, VERTICALE = 2;
  var griglia = document.getElementById("griglia");
  var tastiera = document.getElementById("tastiera");
  var definizioneAttiva = document.getElementById("definizione-attiva");
  var esito = document.getElementById("esito");
  var colonne = Number(griglia.dataset.colonne), righe = Number(griglia.dataset.righe);
  var chiave = griglia.dataset.chiave, codice = griglia.dataset.soluzione;

  var caselle = [];   // every cell in reading order; null for a black one
  var bianche = [];   // the white ones
  Array.prototype.forEach.call(griglia.querySelectorAll(".casella"), function (el, i) {
    if (el.classList.contains("nera")) { caselle.push(null); return; }
    var n = ((ALFABETO.indexOf(codice.charAt(i)) - (PASSO * i + SCARTO) % 27) % 27 + 27) % 27;
    var casella = { el: el, indice: i, colonna: i % colonne, riga: Math.floor(i / colonne),
                    soluzione: n > 0 ? String.fromCharCode(64 + n) : "", parole: {} };
    caselle.push(casella);
    bianche.push(casella);
  });

  function casellaIn(colonna, riga) {
    if (colonna < 0 || riga < 0 || colonna >= colonne || riga >= righe) return null;
    return caselle[riga * colonne + colonna];
  }

  var parole = [];
  function raccogli(direzione, elenco) {
    var esterno = direzione === ORIZZONTALE ? righe : colonne;
    var interno = direzione === ORIZZONTALE ? colonne : righe;
    var trovate = [];
    for (var a = 0; a < esterno; a++) {
      var corsa = [];
      for (var b = 0; b <= interno; b++) {
        var casella = b < interno ? (direzione === ORIZZONTALE ? casellaIn(b, a) : casellaIn(a, b)) : null;
        if (casella) { corsa.push(casella); continue; }
        if (corsa.length >= 2) {
          var numero = corsa[0].el.dataset.numero;
          var parola = { direzione: direzione, numero: Number(numero), caselle: corsa,
                         voce: elenco.querySelector('li[data-numero="' + numero + '"]') };
          corsa.forEach(function (c) { c.parole[direzione] = parola; });
          trovate.push(parola);
        }
        corsa = [];
      }
    }
    trovate.sort(function (x, y) { return x.numero - y.numero; });
    parole = parole.concat(trovate);
  }
  raccogli(ORIZZONTALE, document.getElementById("orizzontali"));
  raccogli(VERTICALE, document.getElementById("verticali"));
)js";

constexpr std::string_view ScriptState = R"js(
  var attiva = null, direzione = ORIZZONTALE;

  function lettera(casella) { return casella.el.textContent; }
  function giusta(casella) {
    return lettera(casella) !== "" && (casella.soluzione === "" || lettera(casella) === casella.soluzione);
  }

  function salva() {
    try {
      var lettere = "", rivelate = "";
      caselle.forEach(function (c) {
        lettere += c && lettera(c) ? lettera(c) : " ";
        rivelate += c && c.el.classList.contains("rivelata") ? "1" : "0";
      });
      window.localStorage.setItem(chiave, JSON.stringify({ lettere: lettere, rivelate: rivelate }));
    } catch (e) { /* a browser without storage solves all the same */ }
  }

  function riprendi() {
    var salvato = null;
    try { salvato = JSON.parse(window.localStorage.getItem(chiave) || "null"); } catch (e) { salvato = null; }
    if (!salvato || typeof salvato.lettere !== "string" || salvato.lettere.length !== caselle.length) return;
    bianche.forEach(function (c) {
      var l = salvato.lettere.charAt(c.indice);
      c.el.textContent = /^[A-Z]$/.test(l) ? l : "";
      c.el.classList.toggle("rivelata", String(salvato.rivelate).charAt(c.indice) === "1" && l !== " ");
    });
  }

  function aggiornaStato() {
    var risolto = bianche.length > 0 && bianche.every(giusta);
    document.body.dataset.stato = risolto ? "risolto" : "in-corso";
    if (risolto) esito.textContent = "Complimenti: cruciverba risolto!";
    else if (esito.dataset.risolto) esito.textContent = "";
    esito.dataset.risolto = risolto ? "1" : "";
  }

  function scrivi(casella, testo, rivelata) {
    if (lettera(casella) !== testo) casella.el.classList.remove("rivelata");
    casella.el.textContent = testo;
    casella.el.classList.remove("errata");
    if (rivelata) casella.el.classList.add("rivelata");
    salva();
    aggiornaStato();
  }

  function evidenzia() {
    griglia.querySelectorAll(".parola, .attiva").forEach(function (el) { el.classList.remove("parola", "attiva"); });
    document.querySelectorAll(".elenco li.attiva").forEach(function (li) { li.classList.remove("attiva"); });
    if (!attiva) return;
    var parola = attiva.parole[direzione];
    if (parola) {
      parola.caselle.forEach(function (c) { c.el.classList.add("parola"); });
      var testo = parola.voce ? parola.voce.querySelector(".testo").textContent : "";
      definizioneAttiva.textContent = parola.numero + (direzione === ORIZZONTALE ? " orizzontale: " : " verticale: ") + testo;
      if (parola.voce) parola.voce.classList.add("attiva");
    } else {
      definizioneAttiva.textContent = "\u00a0";
    }
    attiva.el.classList.add("attiva");
    tastiera.style.left = attiva.el.offsetLeft + "px";
    tastiera.style.top = attiva.el.offsetTop + "px";
  }

  // A cell that has no word in the asked direction is taken in the other.
  function seleziona(casella, verso, fuoco) {
    attiva = casella;
    direzione = casella.parole[verso] || !casella.parole[3 - verso] ? verso : 3 - verso;
    evidenzia();
    if (fuoco) tastiera.focus({ preventScroll: true });
  }
)js";

constexpr std::string_view ScriptMoves = R"js(
  function posto(casella) { var p = casella.parole[direzione]; return p ? p.caselle.indexOf(casella) : -1; }

  function avanza(passo) {
    var p = attiva.parole[direzione], i = posto(attiva) + passo;
    if (p && i >= 0 && i < p.caselle.length) seleziona(p.caselle[i], direzione);
  }

  // Arrows go to the next white cell that way, over black cells, and turn
  // the selection to that axis.
  function muovi(dc, dr) {
    var c = attiva.colonna + dc, r = attiva.riga + dr;
    while (c >= 0 && r >= 0 && c < colonne && r < righe) {
      var casella = casellaIn(c, r);
      if (casella) { seleziona(casella, dc !== 0 ? ORIZZONTALE : VERTICALE); return; }
      c += dc; r += dr;
    }
  }

  function gira() {
    if (attiva && attiva.parole[3 - direzione]) { direzione = 3 - direzione; evidenzia(); }
  }

  // Tab goes to the first cell of the next word: the horizontal ones by
  // number, then the vertical ones, and round again.
  function altraParola(passo) {
    if (!parole.length) return;
    var i = parole.indexOf(attiva.parole[direzione]);
    var j = i < 0 ? 0 : (i + passo + parole.length) % parole.length;
    seleziona(parole[j].caselle[0], parole[j].direzione);
  }

  function letteraDaTasto(testo) {
    if (typeof testo !== "string" || testo.length === 0) return "";
    var l = testo.normalize ? testo.normalize("NFD").charAt(0) : testo.charAt(0);
    l = l.toUpperCase();
    return /^[A-Z]$/.test(l) ? l : "";
  }

  function batti(l) {
    scrivi(attiva, l, false);
    avanza(1);
  }

  tastiera.addEventListener("keydown", function (e) {
    if (!attiva || e.ctrlKey || e.metaKey || e.altKey) return;
    var fatto = true;
    switch (e.key) {
      case "ArrowLeft": muovi(-1, 0); break;
      case "ArrowRight": muovi(1, 0); break;
      case "ArrowUp": muovi(0, -1); break;
      case "ArrowDown": muovi(0, 1); break;
      case "Tab": altraParola(e.shiftKey ? -1 : 1); break;
      case " ": gira(); break;
      case "Home": if (attiva.parole[direzione]) seleziona(attiva.parole[direzione].caselle[0], direzione); break;
      case "End":
        if (attiva.parole[direzione]) seleziona(attiva.parole[direzione].caselle.slice(-1)[0], direzione);
        break;
      case "Delete": scrivi(attiva, "", false); break;
      case "Backspace":
        if (lettera(attiva) === "") avanza(-1);
        scrivi(attiva, "", false);
        break;
      default:
        var l = e.key.length === 1 ? letteraDaTasto(e.key) : "";
        if (l) batti(l); else fatto = e.key.length === 1;
    }
    if (fatto) e.preventDefault();
  });

  // Keyboards on a phone send no usable key: the letter arrives as input.
  tastiera.addEventListener("input", function () {
    var l = letteraDaTasto(tastiera.value.slice(-1));
    tastiera.value = "";
    if (attiva && l) batti(l);
  });

  griglia.addEventListener("click", function (e) {
    // The active cell lies under the (invisible) typing box.
    var el = e.target === tastiera && attiva ? attiva.el : e.target.closest(".casella");
    if (!el || el.classList.contains("nera")) return;
    var casella = caselle[Array.prototype.indexOf.call(griglia.querySelectorAll(".casella"), el)];
    if (casella === attiva) { gira(); tastiera.focus({ preventScroll: true }); }
    else seleziona(casella, direzione, true);
  });

  parole.forEach(function (p) {
    if (p.voce) p.voce.addEventListener("click", function () { seleziona(p.caselle[0], p.direzione, true); });
  });
)js";

constexpr std::string_view ScriptButtons = R"js(
  function pulsante(id, azione) {
    document.getElementById(id).addEventListener("click", function () {
      azione();
      if (attiva) tastiera.focus({ preventScroll: true });
    });
  }

  pulsante("verifica", function () {
    var sbagliate = 0;
    bianche.forEach(function (c) {
      var errata = lettera(c) !== "" && c.soluzione !== "" && lettera(c) !== c.soluzione;
      c.el.classList.toggle("errata", errata);
      if (errata) sbagliate++;
    });
    if (document.body.dataset.stato !== "risolto")
      esito.textContent = sbagliate === 0 ? "Nessuna lettera sbagliata."
                        : sbagliate === 1 ? "Una lettera sbagliata." : sbagliate + " lettere sbagliate.";
  });

  pulsante("mostra-lettera", function () {
    if (!attiva) return;
    if (attiva.soluzione) scrivi(attiva, attiva.soluzione, true);
    else esito.textContent = "La soluzione non ha una lettera per questa casella.";
  });

  pulsante("mostra-soluzione", function () {
    if (!window.confirm("Mostrare tutta la soluzione?")) return;
    bianche.forEach(function (c) {
      if (c.soluzione && lettera(c) !== c.soluzione) { c.el.textContent = c.soluzione; c.el.classList.add("rivelata"); }
      c.el.classList.remove("errata");
    });
    salva();
    aggiornaStato();
  });

  pulsante("cancella-tutto", function () {
    if (!window.confirm("Cancellare tutte le lettere?")) return;
    bianche.forEach(function (c) { c.el.textContent = ""; c.el.classList.remove("errata", "rivelata"); });
    esito.textContent = "";
    salva();
    aggiornaStato();
  });

  window.addEventListener("resize", evidenzia);

  riprendi();
  aggiornaStato();
  var prima = parole.length ? parole[0].caselle[0] : bianche[0];
  if (prima) seleziona(prima, parole.length ? parole[0].direzione : ORIZZONTALE, false);
})();
)js";

} // namespace

std::string_view HtmlPageStyle() { return Style; }

std::string_view HtmlPageScript() {
    static const std::string script =
        std::string(ScriptSetup) + std::string(ScriptState) + std::string(ScriptMoves) + std::string(ScriptButtons);
    return script;
}

} // namespace document
