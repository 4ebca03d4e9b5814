#!/usr/bin/env bash
# Runs "quadrivo-tool esporta" as a user would: what each format holds is
# read back in the core tests; here the command line, its messages, and the
# files brought back by "importa".
source "$(dirname "$0")/lib.sh"

# A complete 3 x 3 crossword with accented clues (Windows-1252 in the file).
#   R E *      1 across RE, 1 down RA, 2 down EVA,
#   A V E      3 across AVE, 4 down ES, 5 across AS
#   * A S
qdr="$work/Città.qdr"
printf 'Autore     : Nicol\xf2 Rossi\r\nData       : 28-01-1998\r\nTipo       : Crociate Normale\r\nDimensioni : 03x03\r\nl._.D*\r\n[.p._.\r\nD*[.m.\r\n  1  11-Nota musicale\r\n  1  12-Fiume di Citt\xe0 "vecchia"\r\n  1  21-Saluto latino\r\n  2  12-Prima donna\r\n  2  31-Asso \xe8 carta\r\n  3  22-Sigla di Spagna\r\n' >"$qdr"

tool esporta "$qdr" "$work/out.ipuz"; check "ipuz exit" 0 $?
check "ipuz is JSON text" '{' "$(head -c 1 "$work/out.ipuz")"
tool esporta "$qdr" "$work/out.puz"; check "puz exit" 0 $?
check "puz magic" "ACROSS&DOWN" "$(dd if="$work/out.puz" bs=1 skip=2 count=11 status=none)"
tool esporta "$qdr" "$work/schema.svg"; check "svg grid exit" 0 $?
tool esporta "$qdr" "$work/soluzione.SVG" --soluzione; check "svg solution exit" 0 $?
check "svg grid without letters" 0 "$(grep -c '<g id="lettere"' "$work/schema.svg")"
check "svg solution with letters" 1 "$(grep -c '<g id="lettere"' "$work/soluzione.SVG")"

# .pdf: the printed page, where the build has printing.
if [ -x "$(dirname "$TOOL")/quadrivo-tool-stampa" ]; then
    tool esporta "$qdr" "$work/pagina.pdf"; check "pdf exit" 0 $?
    check "pdf written" "%PDF" "$(head -c 4 "$work/pagina.pdf")"
else
    tool esporta "$qdr" "$work/pagina.pdf" 2>"$work/err"; check "pdf without printing exits 1" 1 $?
fi

# Bad input: nothing is written, the reason is said, an older file stays.
tool esporta "$qdr" "$work/out.docx" 2>"$work/err"; check "unknown extension exits 2" 2 $?
check "unknown extension message" 1 "$(grep -c 'deve finire con .ipuz, .puz, .pdf o .svg' "$work/err")"
check "unknown extension writes nothing" "no" "$([ -e "$work/out.docx" ] && echo yes || echo no)"
tool esporta "$qdr" "$work/out.ipuz" --soluzione 2>"$work/err"; check "--soluzione on ipuz exits 2" 2 $?
tool esporta "$qdr" 2>"$work/err"; check "missing target exits 2" 2 $?
tool esporta "$qdr" "$work/manca/out.ipuz" 2>"$work/err"; check "unwritable target exits 1" 1 $?
check "unwritable target message" "Errore di scrittura del file!" "$(cat "$work/err")"
mkdir "$work/cartella.svg"
tool esporta "$qdr" "$work/cartella.svg" 2>"$work/err"; check "folder as target exits 1" 1 $?

echo "vecchio" >"$work/vuoto.puz"
tool esporta "$DATA/esempio.qdr" "$work/vuoto.puz" 2>"$work/err"; check "empty cell in puz exits 1" 1 $?
check "empty cell in puz message" 1 "$(grep -c 'colonna 1, riga 2 è vuota' "$work/err")"
check "empty cell in puz keeps the older file" "vecchio" "$(cat "$work/vuoto.puz")"
tool esporta "$DATA/esempio.qdr" "$work/vuoto.ipuz"; check "empty cell in ipuz is fine" 0 $?

printf 'Autore     : X\r\nData       : 01-01-2000\r\nTipo       : Crociate Normale\r\nDimensioni : 03x03\r\nl._.D*\r\n[.p._.\r\nD*[.m.\r\n  1  11-Fine riga\x01\r\n' >"$work/controllo.qdr"
tool esporta "$work/controllo.qdr" "$work/controllo.puz" 2>"$work/err"; check "control character in puz exits 1" 1 $?
check "control character in puz message" "La definizione del 1 orizzontale contiene un carattere che il formato .puz non ammette." "$(cat "$work/err")"
tool esporta "$work/nessuno.qdr" "$work/x.ipuz" 2>/dev/null; check "missing crossword exits 1" 1 $?

# "importa" brings back what "esporta" wrote, and says what a file loses.
tool riscrivi "$qdr" "$work/andata.qdr"
for format in ipuz puz; do
    tool importa "$work/out.$format" "$work/ritorno.qdr"; check "import $format exit" 0 $?
    check "import $format gives the same crossword" "$(tail -n +4 "$work/andata.qdr")" "$(tail -n +4 "$work/ritorno.qdr")"
done
tool importa "$DATA/importa/danneggiato.puz" "$work/d.qdr" 2>"$work/err"; check "import with losses exits 6" 6 $?
grep -q "somme di controllo" "$work/err"; check "checksum warning" 0 $?
tool importa "$DATA/importa/ventuno.ipuz" "$work/v.qdr" 2>/dev/null; check "refused import exits 1" 1 $?
test -e "$work/v.qdr"; check "refused import writes nothing" 1 $?

finish
