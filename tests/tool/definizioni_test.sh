#!/usr/bin/env bash
# Runs "quadrivo-tool definizioni" as a user would, on crossword files
# written here and on the sample thesaurus of tests/data/sinonimi.
source "$(dirname "$0")/lib.sh"
mkdir "$work/vecchi" "$work/altri"
# CASA across row 1 of a 4 x 3 grid, with the clue $2 (Windows-1252).
casa() { printf 'Autore     : Prova\r\nData       : 01-01-2000\r\nTipo       : Crociate Normale\r\nDimensioni : 04x03\r\n].[.m.[.\r\nD*D*D*D*\r\nD*D*D*D*\r\n  1  11-%b\r\n' "$2" >"$1"; }
casa "$work/vecchi/a.qdr" 'Dimora'; touch -d 2020-01-01 "$work/vecchi/a.qdr"
casa "$work/altri/b.qdr" 'La citt\xe0 ne ha tante'; touch -d 2021-01-01 "$work/altri/b.qdr"
casa "$work/altri/c.qdr" 'Dimora'; touch -d 2019-01-01 "$work/altri/c.qdr"
printf 'rotto\r\n' >"$work/altri/rotto.qdr"
T=(--sinonimi "$DATA/sinonimi/prova.dat" --forme "$DATA/sinonimi/forme.txt")

out=$(tool definizioni casa --archivio "$work/vecchi" --archivio="$work/altri" "${T[@]}" 2>"$work/err")
check "casa: exit" 0 $?
check "casa: archive newest first, then the thesaurus" \
"archivio	La città ne ha tante	$work/altri/b.qdr
archivio	Dimora	$work/vecchi/a.qdr
sinonimi	Abitazione
sinonimi	dimora
sinonimi	abitazione" "$out"
check "casa: the damaged file is counted" "File illeggibili tralasciati: 1" "$(cat "$work/err")"

out=$(tool definizioni GATTE "${T[@]}")
check "inflected word: through its base form" "sinonimi	Felino domestico	forma di: gatto" "$(head -1 <<<"$out")"

tool definizioni CAS4 "${T[@]}" 2>/dev/null; check "a word with a digit" 2 $?
tool definizioni CASA --archivio "$work/manca" "${T[@]}" 2>/dev/null; check "a missing folder" 2 $?
err=$(tool definizioni CASA --sinonimi "$work/manca.dat" 2>&1); check "a missing thesaurus: exit" 1 $?
check "a missing thesaurus: said" "Dizionario dei sinonimi non trovato: $work/manca.dat" "$err"
finish
