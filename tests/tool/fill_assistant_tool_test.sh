#!/usr/bin/env bash
# "quadrivo-tool candidati" and "vicoli" as a user runs them, on a word list
# and grids written here.
source "$(dirname "$0")/lib.sh"

# Down from the top-left cell: two words start with C, three with B, one
# with A, none with D.
printf '%s\n' cat cow bee box big ant dune cane barn boat able >"$work/parole.lst"
tool lessico -o "$work/L.DAT" "$work/parole.lst" >/dev/null || echo "lessico failed"
printf '%s\n' '....#..Z' '.#######' '.#######' >"$work/angolo.txt"
printf '%s\n' '....#...' '.#######' '.#######' >"$work/buono.txt"
run python3 "$BENCH/grid_to_qdr.py" "$work/angolo.txt" "$work/angolo.qdr" "$work/buono.txt" "$work/buono.qdr" ||
    echo "grid_to_qdr failed"
L=(-l "$work/L.DAT")

out=$(tool candidati "$work/angolo.qdr" 3 1 O "${L[@]}" 2>&1); rc=$?
# The lessico command orders words its own way: the ranking is checked, the
# order among equals only for being one of the two.
check "candidati: ranked, the word that kills the crossing left out" "0 BARN BOAT CANE ABLE" \
    "$rc $(echo "$out" | cut -f1 | sed -n '1,2p' | sort | tr '\n' ' ')$(echo "$out" | cut -f1 | sed -n '3,$p' | tr '\n' ' ' | sed 's/ $//')"
check "candidati: words left to the tightest crossing" "3 3 2 1" "$(echo "$out" | cut -f2 | tr '\n' ' ' | sed 's/ $//')"
out=$(tool candidati "$work/angolo.qdr" 1 2 v --max 1 "${L[@]}" 2>&1); rc=$?
check "candidati: --max, a slot passed through" "0 1 2" "$rc $(echo "$out" | wc -l) $(echo "$out" | cut -f2)"
out=$(tool vicoli "$work/angolo.qdr" "${L[@]}" 2>&1); rc=$?
check "vicoli: the slot no word ends with Z" "3 6,1 7,1 8,1" "$rc $(echo "$out" | tr '\n' ' ' | sed 's/ $//')"
out=$(tool vicoli "$work/buono.qdr" "${L[@]}" 2>&1); rc=$?
check "vicoli: none" "0 " "$rc $out"

# Mistakes get a message and exit 2, a file that cannot be read exit 1.
for args in "2 candidati $work/angolo.qdr 2 2 O" "2 candidati $work/angolo.qdr 1 1 X" "2 candidati $work/angolo.qdr 1 uno O" \
            "2 candidati $work/angolo.qdr 1 1 O --max -3" "2 vicoli" "2 vicoli $work/angolo.qdr --boh" \
            "1 vicoli $work/manca.qdr"; do
    # shellcheck disable=SC2086
    tool ${args#? } "${L[@]}" >/dev/null 2>"$work/err"; rc=$?
    check "refused: ${args#? }" "${args%% *} said" "$rc $([ -s "$work/err" ] && echo said)"
done
tool vicoli "$work/angolo.qdr" -l "$work/manca.DAT" >/dev/null 2>"$work/err"; rc=$?
check "refused: a missing vocabulary" "1 said" "$rc $([ -s "$work/err" ] && echo said)"
finish
