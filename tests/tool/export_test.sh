#!/usr/bin/env bash
# Runs "quadrivo-tool esporta" as a user would and reads what it writes with
# readers that are not the program's: Python's json and xml parsers, and a
# .puz reader written below from the format's description.
set -u
fails=0 passes=0
check() {  # check NAME EXPECTED ACTUAL
    if [ "$2" == "$3" ]; then echo "ok   $1"; passes=$((passes + 1)); else
        echo "FAIL $1"; echo "  expected: $(printf '%q' "$2")"; echo "  actual:   $(printf '%q' "$3")"; fails=$((fails + 1)); fi
}
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
command -v python3 >/dev/null || { echo "FAIL python3 is needed to read the exported files"; exit 1; }

# A complete 3 x 3 crossword with accented clues (Windows-1252 in the file).
#   R E *      1 across RE, 1 down RA, 2 down EVA,
#   A V E      3 across AVE, 4 down ES, 5 across AS
#   * A S
qdr="$work/Città.qdr"
printf 'Autore     : Nicol\xf2 Rossi\r\nData       : 28-01-1998\r\nTipo       : Crociate Normale\r\nDimensioni : 03x03\r\nl._.D*\r\n[.p._.\r\nD*[.m.\r\n  1  11-Nota musicale\r\n  1  12-Fiume di Citt\xe0 "vecchia"\r\n  1  21-Saluto latino\r\n  2  12-Prima donna\r\n  2  31-Asso \xe8 carta\r\n  3  22-Sigla di Spagna\r\n' >"$qdr"

# .ipuz: standard JSON with the required fields, the grid and the clues.
"$TOOL" esporta "$qdr" "$work/out.ipuz"; check "ipuz exit" 0 $?
read_ipuz=$(python3 - "$work/out.ipuz" <<'EOF'
import json, sys
with open(sys.argv[1], encoding="utf-8") as f:
    p = json.load(f)
missing = [k for k in ("version", "kind", "dimensions", "puzzle", "solution", "clues") if k not in p]
print("missing", missing)
print(p["version"], p["kind"][0], p["dimensions"]["width"], p["dimensions"]["height"])
print(json.dumps(p["puzzle"]), json.dumps(p["solution"]))
print(p["title"], "|", p["author"], "|", p["charset"], "|", p["empty"])
for key in ("Across:Orizzontali", "Down:Verticali"):
    print(key, " / ".join("%d %s" % (n, t) for n, t in p["clues"][key]))
EOF
)
check "ipuz required fields" "missing []" "$(sed -n 1p <<<"$read_ipuz")"
check "ipuz version and size" "http://ipuz.org/v2 http://ipuz.org/crossword#1 3 3" "$(sed -n 2p <<<"$read_ipuz")"
check "ipuz grid" '[[1, 2, "#"], [3, 0, 4], ["#", 5, 0]] [["R", "E", "#"], ["A", "V", "E"], ["#", "A", "S"]]' "$(sed -n 3p <<<"$read_ipuz")"
check "ipuz title author charset" "Città | Nicolò Rossi | ABCDEFGHIJKLMNOPQRSTUVWXYZ | 0" "$(sed -n 4p <<<"$read_ipuz")"
check "ipuz across clues" "Across:Orizzontali 1 Nota musicale / 3 Saluto latino / 5 Asso è carta" "$(sed -n 5p <<<"$read_ipuz")"
check "ipuz down clues" 'Down:Verticali 1 Fiume di Città "vecchia" / 2 Prima donna / 4 Sigla di Spagna' "$(sed -n 6p <<<"$read_ipuz")"

# .puz: header, checksums, grids and strings in ISO-8859-1.
"$TOOL" esporta "$qdr" "$work/out.puz"; check "puz exit" 0 $?
read_puz=$(python3 - "$work/out.puz" <<'EOF'
import struct, sys
data = open(sys.argv[1], "rb").read()
def cksum(b, c=0):
    for x in b:
        c = ((c >> 1) | 0x8000) if c & 1 else c >> 1
        c = (c + x) & 0xFFFF
    return c
(overall, magic, cib, low, high, version, _, _, _, w, h, n, kind, scrambled) = struct.unpack(
    "<H12sH4s4s4sH H12sBBHHH", data[:0x34])
sol = data[0x34:0x34 + w * h]
fill = data[0x34 + w * h:0x34 + 2 * w * h]
strings = data[0x34 + 2 * w * h:].split(b"\0")
assert strings[-1] == b"", "the last string ends with NUL"
title, author, copyright, clues, notes = strings[0], strings[1], strings[2], strings[3:3 + n], strings[3 + n]
assert len(strings) == n + 5, "strings after the clues"
text = 0
for s in (title, author, copyright):
    if s: text = cksum(s + b"\0", text)
for c in clues: text = cksum(c, text)
if notes: text = cksum(notes + b"\0", text)
whole = cksum(fill, cksum(sol, cksum(data[0x2C:0x34])))
for s in (title, author, copyright):
    if s: whole = cksum(s + b"\0", whole)
for c in clues: whole = cksum(c, whole)
if notes: whole = cksum(notes + b"\0", whole)
sums = [cksum(data[0x2C:0x34]), cksum(sol), cksum(fill), text]
ok = (magic == b"ACROSS&DOWN\0" and version == b"1.3\0" and cib == sums[0] and overall == whole
      and low == bytes(ord("ICHE"[i]) ^ (sums[i] & 0xFF) for i in range(4))
      and high == bytes(ord("ATED"[i]) ^ (sums[i] >> 8) for i in range(4)))
print("checksums", "ok" if ok else "wrong")
print(w, h, n, kind, scrambled, sol.decode("latin-1"), fill.decode("latin-1"))
print(title.decode("latin-1"), "|", author.decode("latin-1"))
print(" / ".join(c.decode("latin-1") for c in clues))
EOF
)
check "puz checksums" "checksums ok" "$(sed -n 1p <<<"$read_puz")"
check "puz header and grids" "3 3 6 1 0 RE.AVE.AS --.---.--" "$(sed -n 2p <<<"$read_puz")"
check "puz title author" "Città | Nicolò Rossi" "$(sed -n 3p <<<"$read_puz")"
check "puz clues in number order" 'Nota musicale / Fiume di Città "vecchia" / Prima donna / Saluto latino / Sigla di Spagna / Asso è carta' "$(sed -n 4p <<<"$read_puz")"

# .svg: well-formed XML; the empty grid has numbers only, the solution letters.
svg_texts() {
    python3 - "$1" <<'EOF'
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
ns = "{http://www.w3.org/2000/svg}"
groups = {g.get("id"): [t.text for t in g.iter(ns + "text")] for g in root.iter(ns + "g")}
print(root.get("width"), "numeri", " ".join(groups.get("numeri", [])), "lettere", " ".join(groups.get("lettere", [])))
EOF
}
"$TOOL" esporta "$qdr" "$work/schema.svg"; check "svg grid exit" 0 $?
check "svg grid" "23mm numeri 1 2 3 4 5 lettere " "$(svg_texts "$work/schema.svg")"
"$TOOL" esporta "$qdr" "$work/soluzione.SVG" --soluzione; check "svg solution exit" 0 $?
check "svg solution" "23mm numeri 1 2 3 4 5 lettere R E A V E A S" "$(svg_texts "$work/soluzione.SVG")"

# .pdf: the printed page, where the build has printing.
if [ -x "$(dirname "$TOOL")/quadrivo-tool-stampa" ]; then
    "$TOOL" esporta "$qdr" "$work/pagina.pdf"; check "pdf exit" 0 $?
    check "pdf written" "%PDF" "$(head -c 4 "$work/pagina.pdf")"
else
    "$TOOL" esporta "$qdr" "$work/pagina.pdf" 2>"$work/err"; check "pdf without printing exits 1" 1 $?
fi

# Bad input: nothing is written, the reason is said, an older file stays.
"$TOOL" esporta "$qdr" "$work/out.docx" 2>"$work/err"; check "unknown extension exits 2" 2 $?
check "unknown extension message" 1 "$(grep -c 'deve finire con .ipuz, .puz, .pdf o .svg' "$work/err")"
check "unknown extension writes nothing" "no" "$([ -e "$work/out.docx" ] && echo yes || echo no)"
"$TOOL" esporta "$qdr" "$work/out.ipuz" --soluzione 2>"$work/err"; check "--soluzione on ipuz exits 2" 2 $?
"$TOOL" esporta "$qdr" 2>"$work/err"; check "missing target exits 2" 2 $?

"$TOOL" esporta "$qdr" "$work/manca/out.ipuz" 2>"$work/err"; check "unwritable target exits 1" 1 $?
check "unwritable target message" "Errore di scrittura del file!" "$(cat "$work/err")"
mkdir "$work/cartella.svg"
"$TOOL" esporta "$qdr" "$work/cartella.svg" 2>"$work/err"; check "folder as target exits 1" 1 $?

echo "vecchio" >"$work/vuoto.puz"
"$TOOL" esporta "$DATA/esempio.qdr" "$work/vuoto.puz" 2>"$work/err"; check "empty cell in puz exits 1" 1 $?
check "empty cell in puz message" 1 "$(grep -c 'colonna 1, riga 2 è vuota' "$work/err")"
check "empty cell in puz keeps the older file" "vecchio" "$(cat "$work/vuoto.puz")"
"$TOOL" esporta "$DATA/esempio.qdr" "$work/vuoto.ipuz"; check "empty cell in ipuz is fine" 0 $?
check "empty cell in ipuz is null" "None" "$(python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["solution"][1][0])' "$work/vuoto.ipuz")"

printf 'Autore     : X\r\nData       : 01-01-2000\r\nTipo       : Crociate Normale\r\nDimensioni : 03x03\r\nl._.D*\r\n[.p._.\r\nD*[.m.\r\n  1  11-Fine riga\x01\r\n' >"$work/controllo.qdr"
"$TOOL" esporta "$work/controllo.qdr" "$work/controllo.puz" 2>"$work/err"; check "control character in puz exits 1" 1 $?
check "control character in puz message" "La definizione del 1 orizzontale contiene un carattere che il formato .puz non ammette." "$(cat "$work/err")"

"$TOOL" esporta "$work/nessuno.qdr" "$work/x.ipuz" 2>"$work/err"; check "missing crossword exits 1" 1 $?
check "missing crossword message" "Errore: Cruciverba  $work/nessuno.qdr  Non trovato! Esecuzione terminata." "$(cat "$work/err")"

# "importa" brings back what "esporta" wrote, and says what a file loses.
"$TOOL" importa "$work/out.ipuz" "$work/ritorno.qdr"; check "import exit" 0 $?
"$TOOL" riscrivi "$qdr" "$work/andata.qdr"
check "import gives the same crossword" "$(tail -n +4 "$work/andata.qdr")" "$(tail -n +4 "$work/ritorno.qdr")"
"$TOOL" importa "$DATA/importa/danneggiato.puz" "$work/d.qdr" 2>"$work/err"; check "import with losses exits 6" 6 $?
grep -q "somme di controllo" "$work/err"; check "checksum warning" 0 $?
"$TOOL" importa "$DATA/importa/ventuno.ipuz" "$work/v.qdr" 2>/dev/null; check "refused import exits 1" 1 $?
test -e "$work/v.qdr"; check "refused import writes nothing" 1 $?

echo "$passes passed, $fails failed"
[ "$fails" -eq 0 ]
