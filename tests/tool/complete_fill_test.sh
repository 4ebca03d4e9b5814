#!/usr/bin/env bash
# Runs `quadrivo-tool riempi --completo` as a user would, on small word lists
# and grids written here. Every fill is checked on its own by check_fill.py;
# where the test claims a grid has one fill, or none, a brute-force count
# confirms the claim first. Python runs only a few times, on every grid at once.
set -u
fails=0 passes=0
check() {  # check NAME EXPECTED ACTUAL
    if [ "$2" == "$3" ]; then echo "ok   $1"; passes=$((passes + 1)); else
        echo "FAIL $1"; echo "  expected: $(printf '%q' "$2")"; echo "  actual:   $(printf '%q' "$3")"; fails=$((fails + 1)); fi
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

grids=()
grid() { cat >"$work/$1.txt"; grids+=("$work/$1.txt" "$work/$1.qdr"); }  # grid NAME < text grid
words() {  # words NAME < word list: NAME.lst and NAME.DAT
    cat >"$work/$1.lst"
    "$TOOL" lessico -o "$work/$1.DAT" "$work/$1.lst" >/dev/null || echo "lessico failed on $1"
}
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

# ---- Word lists and grids.
words unico <<'EOF'
coda
odor
lino
leso
rana
mela
col
odi
don
aro
ode
ora
sol
dio
EOF
# Rows of four letters, columns of three: exactly one fill.
grid unico <<'EOF'
....
....
....
EOF
grid zeta <<'EOF'
Z...
....
....
EOF
grid cinque <<'EOF'
.....
#####
.....
EOF
# Its only fills repeat every word.
words quadrato <<'EOF'
ago
gas
osa
ali
gol
ora
oso
sol
EOF
grid tre <<'EOF'
...
...
...
EOF
grid due <<'EOF'
...
###
...
EOF
printf 'AGO\n' | words una
printf 'AGO\nGAS\n' | words duo
# Two fills share the first two rows; a letter already placed picks one.
words coppia <<'EOF'
coda
odor
lino
leso
col
odi
don
ode
dos
aro
EOF
grid letteraI <<'EOF'
....
....
.I..
EOF
grid letteraE <<'EOF'
....
....
.E..
EOF
# Runs of 1 and 2 only.
grid corte <<'EOF'
..#
#.K
.#.
EOF
grid nera <<'EOF'
###
###
###
EOF
# A ring of four slots, with 1- and 2-letter runs and a letter in a cell of
# no slot; many fills.
words molte <<'EOF'
ago
ali
ape
ara
are
asi
eco
ere
ira
oca
ode
ora
ore
osa
oro
ari
gas
sol
EOF
grid anello <<'EOF'
...#X
.#..#
...#.
EOF
# Forty-eight separate slots of three and forty-seven words: no fill, and
# counting the words says so at once.
white=$(printf '...#%.0s' 1 2 3 4 5 6).
black=$(printf '#%.0s' $(seq 25))
for _ in $(seq 7); do echo "$white"; echo "$black"; done >"$work/pochi.txt"
echo "$white" >>"$work/pochi.txt"
grids+=("$work/pochi.txt" "$work/pochi.qdr")
triples() { for a in B C D F G L M N P R S T; do for b in A E I O U; do for c in L N R S T; do echo "$a$b$c"; done; done; done; }
triples | head -47 | words pochi

python3 "$BENCH/grid_to_qdr.py" "${grids[@]}" || echo "grid_to_qdr failed"

# Brute force: "NAME count fill fill..." for each claim checked below.
python3 - "$work" >"$work/claims" <<'EOF'
import sys
work = sys.argv[1]
def fills(grid, words, repeat=False):
    rows = [l.strip() for l in open(f"{work}/{grid}.txt") if l.strip()]
    vocab = [w.strip().upper() for w in open(f"{work}/{words}.lst") if w.strip()]
    H, W = len(rows), len(rows[0])
    slots = []
    for across in (True, False):
        for a in range(H if across else W):
            run = []
            for b in range((W if across else H) + 1):
                cell = None if b == (W if across else H) else ((a, b) if across else (b, a))
                if cell and rows[cell[0]][cell[1]] != "#":
                    run.append(cell)
                else:
                    if len(run) >= 3: slots.append(run)
                    run = []
    found = []
    def search(i, grid, used):
        if i == len(slots):
            found.append("/".join("".join(grid.get((r, c), rows[r][c]) for c in range(W)) for r in range(H)))
            return
        for w in vocab:
            if len(w) != len(slots[i]) or (w in used and not repeat): continue
            if all(grid.get(rc, rows[rc[0]][rc[1]]) in (".", ch) for rc, ch in zip(slots[i], w)):
                new = dict(grid); new.update(zip(slots[i], w))
                search(i + 1, new, used | {w})
    search(0, {}, frozenset())
    return found
for name, grid, words, repeat in [("unico", "unico", "unico", False), ("tre", "tre", "quadrato", False),
                                   ("tre-ripetute", "tre", "quadrato", True), ("coppia", "unico", "coppia", False),
                                   ("letteraI", "letteraI", "coppia", False), ("letteraE", "letteraE", "coppia", False),
                                   ("anello", "anello", "molte", False)]:
    found = fills(grid, words, repeat)
    print(name, len(found), *found[:3])
EOF
claim() { awk -v n="$1" '$1 == n { $1 = ""; sub(/^ /, ""); print }' "$work/claims"; }
count() { claim "$1" | cut -d' ' -f1; }

# ---- One fill: found.
check "unique: the grid has one fill" "1 CODA/ODOR/LINO" "$(claim unico)"
fill unico unico u.qdr --seme 3
check "unique: exit 0" 0 "$rc"
check "unique: that fill" "CODA ODOR LINO" "$(cells "$work/u.qdr" | flat)"
verify unico u.qdr unico
check "unique: summary line" 1 "$(grep -c -E '^riempite 7 vuote 0 nodi [0-9]+ ritorni [0-9]+ ripartenze [0-9]+ ms [0-9]+ indice ms [0-9]+ KB [0-9]+$' "$work/out")"
check "unique: nothing on stderr" "" "$(cat "$work/err")"

# ---- Impossible: exit 4, an Italian message, nothing written (an OUT
# already there stays as it was).
echo "prima" >"$work/z.qdr"
fill zeta unico z.qdr --seme 1
check "contradicting letter: exit 4" 4 "$rc"
check "contradicting letter: Italian message" 1 "$(grep -c '^Impossibile completare lo schema' "$work/err")"
check "contradicting letter: OUT untouched" "prima" "$(cat "$work/z.qdr")"
check "contradicting letter: summary" 1 "$(grep -c -E '^riempite 0 vuote 7 ' "$work/out")"
fill cinque unico c.qdr
check "missing length: exit 4" 4 "$rc"
check "missing length: Italian message" 1 "$(grep -c '^Impossibile completare lo schema.*5 lettere' "$work/err")"
[ -e "$work/c.qdr" ]; check "missing length: no OUT" 1 $?

# ---- No word twice: a square that fills only by repeating words, found
# impossible by searching; one word for two slots; two words, each once.
check "repeats only: fills when words may repeat" 1 "$(count tre-ripetute | awk '{print ($1 > 0)}')"
check "repeats only: no fill without repeats" 0 "$(count tre)"
fill tre quadrato q.qdr --seme 2
check "repeats only: exit 4" 4 "$rc"
check "repeats only: Italian message" 1 "$(grep -c '^Impossibile completare lo schema' "$work/err")"
[ -e "$work/q.qdr" ]; check "repeats only: no OUT" 1 $?
fill due una d1.qdr
check "one word, two slots: exit 4" 4 "$rc"
fill due duo d2.qdr
check "two words, two slots: exit 0" 0 "$rc"
check "two words, two slots: both used" "AGO GAS" "$(cells "$work/d2.qdr" | grep -v '#' | sort | flat)"
verify due d2.qdr duo

# ---- Letters already placed: kept, and they pick the fill.
check "two fills without a letter" 2 "$(count coppia)"
for letter in I E; do
    check "letter $letter: one fill" 1 "$(count "lettera$letter")"
    fill "lettera$letter" coppia "l$letter.qdr" --seme 4
    check "letter $letter: exit 0" 0 "$rc"
    check "letter $letter: the fill it allows" "$(claim "lettera$letter" | cut -d' ' -f2 | tr '/' ' ')" \
        "$(cells "$work/l$letter.qdr" | flat)"
    verify "lettera$letter" "l$letter.qdr" coppia
done

# ---- Runs of 1 and 2 only: no word to find; the letter stays, every empty
# cell gets one.
fill corte unico k.qdr --seme 1
check "short runs only: exit 0" 0 "$rc"
check "short runs only: K kept, no cell empty" "LL#|#LK|L#L" \
    "$(cells "$work/k.qdr" | sed 's/[A-JL-Z]/L/g' | paste -sd'|')"
check "short runs only: summary" 1 "$(grep -c -E '^riempite 0 vuote 0 ' "$work/out")"
fill nera unico n.qdr
check "all black: exit 0" 0 "$rc"
check "all black: cells unchanged" "$(cells "$work/nera.qdr")" "$(cells "$work/n.qdr")"

# ---- Seeds: the same seed, the same file; other seeds, other fills.
check "ring: many fills" 1 "$(count anello | awk '{print ($1 >= 10)}')"
fill anello molte a1.qdr --seme 7
check "ring: exit 0" 0 "$rc"
check "ring: X kept" X "$(cells "$work/a1.qdr" | head -1 | cut -c5)"
check "ring: 2-letter run gets a letter" 1 "$(cells "$work/a1.qdr" | sed -n 2p | cut -c4 | grep -c '[A-Z]')"
verify anello a1.qdr molte
fill anello molte a2.qdr --seme 7
cmp -s "$work/a1.qdr" "$work/a2.qdr"; check "ring: same seed, same file" 0 $?
for seed in 1 2 3 4 5 6 7 8; do
    fill anello molte "s$seed.qdr" --seme "$seed"
    check "ring seed $seed: exit 0" 0 "$rc"
    verify anello "s$seed.qdr" molte
done
distinct=$(for seed in 1 2 3 4 5 6 7 8; do cells "$work/s$seed.qdr" | flat; echo; done | sort -u | wc -l)
check "ring: other seeds, other fills" 1 "$([ "$distinct" -ge 2 ] && echo 1 || echo "$distinct")"

# ---- More slots of one length than words for them: exit 4 at once.
echo "prima" >"$work/p.qdr"
fill pochi pochi p.qdr --seme 1
check "too few words: exit 4" 4 "$rc"
check "too few words: the count" 1 "$(grep -c 'servono 48 parole diverse di 3 lettere e il vocabolario ne ha solo 47' "$work/err")"
check "too few words: OUT untouched" "prima" "$(cat "$work/p.qdr")"

# ---- --limite: the ring has many fills, so no propagation alone settles it
# and the search must choose a word; a limit of a nanosecond has passed before
# the first choice, however fast the machine. The run stops, says so and
# writes nothing.
echo "prima" >"$work/t.qdr"
fill anello molte t.qdr --seme 1 --limite 0.000000001
check "time limit: exit 5" 5 "$rc"
check "time limit: Italian message" 1 "$(grep -c '^Tempo scaduto' "$work/err")"
check "time limit: OUT untouched" "prima" "$(cat "$work/t.qdr")"

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

# ---- Every fill above, checked on its own; and the checker refuses a word
# outside the list and a word twice.
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
