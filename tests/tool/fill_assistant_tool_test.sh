#!/usr/bin/env bash
# "quadrivo-tool candidati" and "vicoli" as a user runs them, on a word list
# and grids written here.
set -u
fails=0 passes=0
check() {  # check NAME EXPECTED ACTUAL
    if [ "$2" == "$3" ]; then echo "ok   $1"; passes=$((passes + 1)); else
        echo "FAIL $1"; echo "  expected: $(printf '%q' "$2")"; echo "  actual:   $(printf '%q' "$3")"; fails=$((fails + 1)); fi
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Down from the top-left cell: two words start with C, three with B, one
# with A, none with D.
printf '%s\n' cat cow bee box big ant dune cane barn boat able >"$work/parole.lst"
"$TOOL" lessico -o "$work/L.DAT" "$work/parole.lst" >/dev/null || echo "lessico failed"
printf '%s\n' '....#..Z' '.#######' '.#######' >"$work/angolo.txt"
printf '%s\n' '....#...' '.#######' '.#######' >"$work/buono.txt"
python3 "$BENCH/grid_to_qdr.py" "$work/angolo.txt" "$work/angolo.qdr" "$work/buono.txt" "$work/buono.qdr" ||
    echo "grid_to_qdr failed"

out=$("$TOOL" candidati "$work/angolo.qdr" 3 1 O -l "$work/L.DAT" 2>&1); rc=$?
# The lessico command orders words its own way: the ranking is checked, the
# order among equals only for being one of the two.
check "candidati: ranked, the word that kills the crossing left out" "0 BARN BOAT CANE ABLE" \
    "$rc $(echo "$out" | cut -f1 | sed -n '1,2p' | sort | tr '\n' ' ')$(echo "$out" | cut -f1 | sed -n '3,$p' | tr '\n' ' ' | sed 's/ $//')"
check "candidati: words left to the tightest crossing" "3 3 2 1" "$(echo "$out" | cut -f2 | tr '\n' ' ' | sed 's/ $//')"
out=$("$TOOL" candidati "$work/angolo.qdr" 1 2 v --max 1 -l "$work/L.DAT" 2>&1); rc=$?
check "candidati: --max, a slot passed through" "0 1 2" "$rc $(echo "$out" | wc -l) $(echo "$out" | cut -f2)"

out=$("$TOOL" vicoli "$work/angolo.qdr" -l "$work/L.DAT" 2>&1); rc=$?
check "vicoli: the slot no word ends with Z" "3 6,1 7,1 8,1" "$rc $(echo "$out" | tr '\n' ' ' | sed 's/ $//')"
out=$("$TOOL" vicoli "$work/buono.qdr" -l "$work/L.DAT" 2>&1); rc=$?
check "vicoli: none" "0 " "$rc $out"

# Mistakes get a message and exit 2 (1 for a file that cannot be read).
for args in "candidati $work/angolo.qdr 2 2 O" "candidati $work/angolo.qdr 1 1 X" "candidati $work/angolo.qdr 1 uno O" \
            "candidati $work/angolo.qdr 1 1 O --max -3" "vicoli" "vicoli $work/angolo.qdr --boh"; do
    # shellcheck disable=SC2086
    "$TOOL" $args -l "$work/L.DAT" >"$work/out" 2>"$work/err"; rc=$?
    check "refused: $args" "2 said" "$rc $([ -s "$work/err" ] && echo said)"
done
"$TOOL" vicoli "$work/manca.qdr" -l "$work/L.DAT" >/dev/null 2>"$work/err"; rc=$?
check "vicoli: missing crossword" "1 said" "$rc $([ -s "$work/err" ] && echo said)"
"$TOOL" vicoli "$work/angolo.qdr" -l "$work/manca.DAT" >/dev/null 2>"$work/err"; rc=$?
check "vicoli: missing vocabulary" "1 said" "$rc $([ -s "$work/err" ] && echo said)"

echo "$passes passed, $fails failed"
[ "$fails" -eq 0 ]
