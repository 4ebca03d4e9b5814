#!/usr/bin/env bash
# Runs quadrivo-tool as a user would and checks what it prints.
source "$(dirname "$0")/lib.sh"

check "help is Italian" "Uso: quadrivo-tool COMANDO [ARGOMENTI]" "$(tool --help | head -1)"

out=$(tool lessico -o "$work/L.DAT" "$DATA/parole.txt")
check "lessico counts" "4 lettere: 5 parole" "$(grep '^4 lettere' <<<"$out")"
check "lessico total" "Totale: 8 parole in $work/L.DAT" "$(tail -1 <<<"$out")"

check "cerca M_LA" "MALA MELA MILA MOLA MULA" "$(tool cerca M_LA -l "$work/L.DAT" | sort | tr '\n' ' ' | sed 's/ $//')"
check "cerca lower case and dots" "MOLLA" "$(tool cerca -l "$work/L.DAT" m.l.a)"
check "cerca accented fold" "CITTA" "$(tool cerca -l "$work/L.DAT" _ITT_)"
tool cerca -l "$work/L.DAT" MA >/dev/null 2>"$work/err"; check "cerca short mask exits 2" 2 $?
check "cerca short mask message" 1 "$(grep -c 'da 3 a 15 caratteri' "$work/err")"
tool cerca -l "$work/L.DAT" 'M1LA' >/dev/null 2>"$work/err"; check "cerca digit exits 2" 2 $?

# Without -l the tool takes the LESSICO.DAT beside itself: a copy of the tool
# beside the test vocabulary.
mkdir "$work/bin" && cp "$TOOL" "$work/bin/" && cp "$work/L.DAT" "$work/bin/LESSICO.DAT"
check "cerca default vocabulary" "MALA MELA MILA MOLA MULA" "$(run "$work/bin/$(basename "$TOOL")" cerca M_LA | sort | tr '\n' ' ' | sed 's/ $//')"

# A list that cannot be read or gives no word is an error naming it, and the
# vocabulary already there stays as it was.
cp "$work/L.DAT" "$work/before.DAT"
printf 'ab\nl%soca\n12345\n' "'" >"$work/senza_parole.txt"
printf 'Roma\nMilano\n' >"$work/nomi.txt"
printf 'casa\n' >"$work/chiuso.txt" && chmod 000 "$work/chiuso.txt"
bad=("$work" /proc/self/mem "$work/manca.txt" "$work/senza_parole.txt" "--senza-nomi $work/nomi.txt")
[ -r "$work/chiuso.txt" ] || bad+=("$work/chiuso.txt")  # root reads it anyway
for list in "${bad[@]}"; do
    # shellcheck disable=SC2086  # the option row splits on purpose
    tool lessico -o "$work/L.DAT" "$DATA/parole.txt" $list >/dev/null 2>"$work/err"; check "lessico $list exits 1" 1 $?
    check "lessico $list names the list" 1 "$(grep -c -F "${list#--senza-nomi }" "$work/err")"
    cmp -s "$work/before.DAT" "$work/L.DAT"; check "lessico $list leaves the vocabulary" 0 $?
done
# A scored list: the search lists the best first, --minimo leaves out what
# scores less, a damaged score names its line and changes nothing.
printf 'mela;40\nmola;90\nmula;10\nmila ; 70\n' >"$work/punteggi.txt"
out=$(tool lessico -o "$work/P.DAT" --minimo 20 "$work/punteggi.txt")
check "lessico --minimo counts" "Escluse 1 parole sotto il punteggio 20" "$(grep '^Escluse' <<<"$out")"
check "cerca best first" "MOLA MILA MELA" "$(tool cerca M_LA -l "$work/P.DAT" | tr '\n' ' ' | sed 's/ $//')"
printf 'mela;40\nmola;9O\n' >"$work/rotto.txt"
tool lessico -o "$work/L.DAT" "$work/rotto.txt" >/dev/null 2>"$work/err"; check "lessico bad score exits 1" 1 $?
check "lessico bad score names the line" \
    "Punteggio non valido alla riga 2 di $work/rotto.txt: 'mola;9O' (dopo il ';' serve un numero intero da 0 a 100)." \
    "$(cat "$work/err")"
cmp -s "$work/before.DAT" "$work/L.DAT"; check "lessico bad score leaves the vocabulary" 0 $?
tool lessico -o "$work/L.DAT" --minimo 101 "$DATA/parole.txt" >/dev/null 2>&1; check "lessico --minimo 101 exits 2" 2 $?
tool lessico -o "$work/manca/L.DAT" "$DATA/parole.txt" >/dev/null 2>"$work/err"; check "lessico unwritable exits 1" 1 $?
check "lessico unwritable message" "Impossibile scrivere il vocabolario $work/manca/L.DAT" "$(cat "$work/err")"

printf '1-O\tRE\tNota musicale\n1-V\tR.\t\n2-V\tEVA\t\n3-O\t.V.\t\n' >"$work/expected"
tool parole "$DATA/esempio.qdr" >"$work/words"
check "parole rows" "" "$(diff "$work/expected" "$work/words")"

tool riscrivi "$DATA/esempio.qdr" "$work/copia.qdr"; check "riscrivi exit" 0 $?
cmp -s "$DATA/esempio.qdr" "$work/copia.qdr"; check "riscrivi byte-identical" 0 $?

tool parole "$work/nessuno.qdr" >/dev/null 2>"$work/err"; check "missing file exit" 1 $?
check "missing file message" "Errore: Cruciverba  $work/nessuno.qdr  Non trovato! Esecuzione terminata." "$(cat "$work/err")"

# A read error still lists what was read; the clue is converted to UTF-8.
printf 'Autore     : X\r\nData       : Y\r\nTipo       : Z\r\nDimensioni : 03x03\r\nl._.D*\r\nH.p.H.\r\nD*[.D*\r\n  2  12-Citt\xe0\r\n\r\n' >"$work/rotto.qdr"
tool parole "$work/rotto.qdr" >"$work/words" 2>"$work/err"; check "read error exit" 1 $?
check "read error message names the file" "$work/rotto.qdr: Errore di lettura del file!" "$(cat "$work/err")"
check "read error still lists" "2-V	EVA	Città" "$(grep '^2-V' "$work/words")"

# The automatic fill without a window, on the tests' own sample of Italian
# words: seeded runs repeat exactly, other seeds draw other words.
tool lessico -o "$work/prova.DAT" "$DATA/lessico_prova.txt" >/dev/null
vocab=(-l "$work/prova.DAT")
grid="$DATA/griglie/settimanale_15x11.qdr"
tool riempi "$grid" "$work/r1.qdr" --seme 5 "${vocab[@]}" >"$work/s1" 2>"$work/q1"; check "riempi exit" 0 $?
tool riempi "$grid" "$work/r2.qdr" --seme 5 "${vocab[@]}" >"$work/s2" 2>"$work/q2"
cmp -s "$work/r1.qdr" "$work/r2.qdr"; check "riempi same seed, same grid" 0 $?
tool riempi "$grid" "$work/r6.qdr" --seme 6 "${vocab[@]}" >/dev/null 2>&1
cmp -s "$work/r1.qdr" "$work/r6.qdr"; check "riempi other seed, other grid" 1 $?
check "riempi summary" 1 "$(grep -c -E '^riempite [0-9]+ vuote [0-9]+ domande [0-9]+ ripartenze 0 ms [0-9]+$' "$work/s1")"
questions=$(sed -E 's/.* domande ([0-9]+) .*/\1/' "$work/s1")
check "riempi prints every question" "$questions" "$(grep -c -E '^(Parola|Sulla parola) ' "$work/q1")"
check "riempi keeps the black cells" "$(sed -n 5,15p "$grid" | tr -cd '*' | wc -c)" "$(sed -n 5,15p "$work/r1.qdr" | tr -cd '*' | wc -c)"
tool riempi "$grid" "$work/r3.qdr" --seme 5 --ripartenze 2 "${vocab[@]}" >"$work/s3" 2>/dev/null
check "riempi restarts" 1 "$(grep -c ' ripartenze 2 ' "$work/s3")"
tool riempi "$grid" "$work/r4.qdr" --seme 5 --rispondi annulla "${vocab[@]}" >"$work/s4" 2>/dev/null
check "riempi stops at the first question" 1 "$(grep -c -E ' domande 1 ' "$work/s4")"
tool riempi "$grid" "$work/r5.qdr" --rispondi forse "${vocab[@]}" >/dev/null 2>&1; check "riempi bad answer exits 2" 2 $?

# Printing is dispatched to the page writer when the build has it (linked
# in, or a helper beside the tool); a build without it says so and fails.
tool stampa "$DATA/esempio.qdr" "$work/pagina.pdf" >/dev/null 2>"$work/err"; status=$?
if ldd "$TOOL" | grep -q libQt6 || [ -x "$(dirname "$TOOL")/quadrivo-tool-stampa" ]; then
    check "stampa exit" 0 $status
    check "stampa writes a PDF" "%PDF" "$(head -c 4 "$work/pagina.pdf")"
else
    check "stampa unavailable exits 1" 1 $status
    check "stampa unavailable message" "La stampa non è disponibile in questa versione di quadrivo-tool." "$(cat "$work/err")"
    check "stampa unavailable writes nothing" 1 "$([ -e "$work/pagina.pdf" ]; echo $?)"
fi

# Hostile word lists finish with a message within a memory bound (none under
# AddressSanitizer, which needs its own address space).
limit() { if ldd "$TOOL" | grep -q asan; then "$@"; else (ulimit -v 400000; "$@"); fi; }
head -c 30000000 /dev/zero | tr '\0' 'a' >"$work/riga.txt"
printf '\ncasa\n' >>"$work/riga.txt"
limit tool lessico -o "$work/R.DAT" "$work/riga.txt" >"$work/out" 2>"$work/err"; check "huge line exits 0" 0 $?
check "huge line named" "Riga 1 di $work/riga.txt troppo lunga (oltre 256 byte): tralasciata" "$(cat "$work/err")"
check "huge line skipped" "Totale: 1 parole in $work/R.DAT" "$(tail -1 "$work/out")"
yes casa | head -n 4000000 >"$work/doppie.txt"
limit tool lessico -o "$work/D.DAT" "$work/doppie.txt" >"$work/out" 2>&1; check "duplicates exit 0" 0 $?
check "duplicates kept once" "Totale: 1 parole in $work/D.DAT" "$(tail -1 "$work/out")"

# A folder or a device as input is said to be no file.
tool riscrivi /dev/null "$work/x.qdr" 2>"$work/err"; check "device input exits 1" 1 $?
check "device input named" "quadrivo-tool: /dev/null: non è un file (una cartella, una periferica o una pipe)" "$(cat "$work/err")"

# "--" ends the options: a file named like an option; an unknown option is named.
cp "$DATA/parole.txt" "$work/-o"
(cd "$work" && tool lessico -o L2.DAT -- -o >/dev/null); check "file after -- read" 0 $?
tool lessico --nessuna "$DATA/parole.txt" 2>"$work/err"; check "unknown option exits 2" 2 $?
check "unknown option named" 1 "$(grep -c 'opzione sconosciuta: --nessuna' "$work/err")"

finish
