#!/usr/bin/env bash
# `quadrivo-tool riempi --completo` as a user runs it: exit codes, messages,
# the summary line, seeds, the time limit, and OUT written only on success.
# Which grids have a fill, and that every fill holds, the core tests check on
# thousands of grids (complete_fill_differential_test); here bench/check_fill.py
# checks every file the tool writes.
set -u
fails=0 passes=0
check() {  # check NAME EXPECTED ACTUAL
    if [ "$2" == "$3" ]; then echo "ok   $1"; passes=$((passes + 1)); else
        echo "FAIL $1"; echo "  expected: $(printf '%q' "$2")"; echo "  actual:   $(printf '%q' "$3")"; fails=$((fails + 1)); fi
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

words() {  # words NAME WORD...: NAME.lst and NAME.DAT
    printf '%s\n' "${@:2}" >"$work/$1.lst"
    "$TOOL" lessico -o "$work/$1.DAT" "$work/$1.lst" >/dev/null || echo "lessico failed on $1"
}
grids=()
grid() { printf '%s\n' "${@:2}" >"$work/$1.txt"; grids+=("$work/$1.txt" "$work/$1.qdr"); }  # grid NAME ROW...
fill() {  # fill GRID WORDS OUT [options]: exit status in $rc, stdout in $work/out, stderr in $work/err
    local g=$1 w=$2 o=$3
    shift 3
    # Every word of these short lists counts: no quality limit.
    "$TOOL" riempi "$work/$g.qdr" "$work/$o" --completo -l "$work/$w.DAT" --qualita 100 "$@" >"$work/out" 2>"$work/err"
    rc=$?
}
# The grid of a crossword file as text: each cell's first byte shifted down by
# 26 ('H' empty, 'D' black, '['..'t' the letters).
cells() {
    local rows
    rows=$(sed -n 4p "$1" | cut -c17-18)
    sed -n "5,$((4 + 10#$rows))p" "$1" | tr -d '\r' | sed 's/\(.\)./\1/g' | tr 'HD\133-\164' '.#A-Z'
}
flat() { tr '\n' ' ' | sed 's/ $//'; }
checked=()
verify() { checked+=("$work/$1.qdr" "$work/$2" "$work/$3.lst"); }  # verify GRID OUT WORDS, at the end

# Rows of four letters, columns of three: one fill only.
words unico coda odor lino leso rana mela col odi don aro ode ora sol dio
grid unico .... .... ....
grid zeta Z... .... ....
grid cinque ..... '#####' .....
# A ring of four slots, with 1- and 2-letter runs and a letter in a cell of
# no slot: many fills.
words molte ago ali ape ara are asi eco ere ira oca ode ora ore osa oro ari gas sol
grid anello '...#X' '.#..#' '...#.'
python3 "$BENCH/grid_to_qdr.py" "${grids[@]}" || echo "grid_to_qdr failed"

# ---- A fill: exit 0, the file, one summary line, nothing on stderr.
fill unico unico u.qdr --seme 3
check "unique: exit 0" 0 "$rc"
check "unique: that fill" "CODA ODOR LINO" "$(cells "$work/u.qdr" | flat)"
verify unico u.qdr unico
check "unique: summary line" 1 "$(grep -c -E '^riempite 7 vuote 0 nodi [0-9]+ ritorni [0-9]+ ripartenze [0-9]+ ms [0-9]+ indice ms [0-9]+ KB [0-9]+$' "$work/out")"
check "unique: nothing on stderr" "" "$(cat "$work/err")"

# ---- No fill (exit 4) or out of time (exit 5): an Italian message, and an
# OUT already there stays as it was. The ring has many fills, so no
# propagation alone settles it: a nanosecond has passed before the first
# choice, however fast the machine.
while read -r name g w code says options; do
    echo "prima" >"$work/$name.qdr"
    # shellcheck disable=SC2086  # the options split on purpose
    fill "$g" "$w" "$name.qdr" $options
    check "$name: exit $code" "$code" "$rc"
    check "$name: Italian message" 1 "$(grep -c "^$says" "$work/err")"
    check "$name: OUT untouched" "prima" "$(cat "$work/$name.qdr")"
done <<'EOF'
contradicting-letter zeta unico 4 Impossibile.completare.lo.schema --seme 1
missing-length cinque unico 4 Impossibile.completare.lo.schema.*5.lettere
time-limit anello molte 5 Tempo.scaduto --seme 1 --limite 0.000000001
EOF
fill zeta unico z.qdr
check "contradicting letter: summary" 1 "$(grep -c -E '^riempite 0 vuote 7 ' "$work/out")"

# ---- Seeds: the same seed, the same file; other seeds, other fills.
for seed in 1 2 3 4 5 6 7 8; do
    fill anello molte "s$seed.qdr" --seme "$seed"
    check "ring seed $seed: exit 0" 0 "$rc"
    verify anello "s$seed.qdr" molte
done
fill anello molte again.qdr --seme 7
cmp -s "$work/again.qdr" "$work/s7.qdr"; check "ring: same seed, same file" 0 $?
distinct=$(for seed in 1 2 3 4 5 6 7 8; do cells "$work/s$seed.qdr" | flat; echo; done | sort -u | wc -l)
check "ring: other seeds, other fills" 1 "$([ "$distinct" -ge 2 ] && echo 1 || echo "$distinct")"

# ---- Wrong arguments: exit 2, a message, nothing written.
for args in "--limite 0" "--limite abc" "--limite -1" "--limite" "--rispondi si" "--ripartenze 1"; do
    # shellcheck disable=SC2086  # the option row splits on purpose
    "$TOOL" riempi "$work/unico.qdr" "$work/e.qdr" --completo -l "$work/unico.DAT" $args >/dev/null 2>"$work/err"
    check "--completo $args: exit 2" 2 $?
    check "--completo $args: message" 1 "$(grep -c '^quadrivo-tool: ' "$work/err")"
    [ -e "$work/e.qdr" ]; check "--completo $args: no OUT" 1 $?
done
"$TOOL" riempi "$work/unico.qdr" "$work/e.qdr" --limite 5 -l "$work/unico.DAT" >/dev/null 2>&1
check "--limite without --completo: exit 2" 2 $?

# ---- Every file written above, checked on its own; and the checker refuses
# a word outside the list and a word twice.
grep -v '^odor$' "$work/unico.lst" >"$work/senza_odor.lst"
printf 'ABA\n###\nABA\n' >"$work/doppia.txt"
printf 'aba\n' >"$work/aba.lst"
python3 "$BENCH/check_fill.py" "${checked[@]}" "$work/unico.qdr" "$work/u.qdr" "$work/senza_odor.lst" \
    "$work/doppia.txt" "$work/doppia.txt" "$work/aba.lst" >"$work/checks"
for ((i = 0; i < ${#checked[@]}; i += 3)); do
    check "check_fill $(basename "${checked[i + 1]}")" "${checked[i + 1]}: ok" "$(sed -n "$((i / 3 + 1))p" "$work/checks")"
done
check "check_fill: word not in the list" "$work/u.qdr: ODOR at 1,2 is not a word" "$(tail -2 "$work/checks" | head -1)"
check "check_fill: word twice" "$work/doppia.txt: ABA at 1,3 repeats the one at 1,1" "$(tail -1 "$work/checks")"

echo "$passes passed, $fails failed"
[ "$fails" = 0 ]
