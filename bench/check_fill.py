#!/usr/bin/env python3
"""Checks a complete fill on its own, without trusting the program that made it.

usage: check_fill.py BEFORE OUT WORDS [BEFORE OUT WORDS ...]
BEFORE and OUT are grids, either crossword files (.qdr) or text grids (one row
a line, '#' black, '.' empty, A-Z letters); WORDS is the word list (one word a
line, folded like the vocabulary builder does: accents dropped, upper case)
or a LESSICO.DAT. Blanks between the cells of a text grid are ignored (Qxw's
answers come spaced). Checks that OUT keeps BEFORE's black cells and letters,
that every run of 3 or more white cells of OUT is a word of the list, that no
word is used twice, and that a cell in no such run keeps what BEFORE had there
or, empty before, got a letter (the runs of two cells take pairs of their own).
Prints "ok" or the faults (with several triples, one line each: "OUT: ok" or
"OUT: " and the faults), exit 0 when every fill is right, else 1."""
import sys
import unicodedata


def read_grid(path):
    data = open(path, "rb").read()
    lines = data.replace(b"\r\n", b"\n").replace(b"\r", b"\n").split(b"\n")
    if path.lower().endswith(".qdr") or (lines and lines[0].startswith(b"Autore")):
        # Sizes at the 14th and 17th characters of the fourth line, as CCxRR.
        size = lines[3].decode("latin-1")[13:18]
        cols, rows = int(size[:2]), int(size[3:5])
        grid = []
        for r in range(rows):
            line = lines[4 + r] if 4 + r < len(lines) else b""
            grid.append("".join(chr(max(line[2 * c] - 26, 0)) if 2 * c < len(line) else "." for c in range(cols)))
        return [row.replace("*", "#") for row in grid]
    return [l.decode("latin-1").replace(" ", "").replace("\t", "")
            for l in lines if l.strip() and not l.startswith(b";")]


def fold(word):
    plain = "".join(c for c in unicodedata.normalize("NFD", word) if not unicodedata.combining(c))
    return plain.upper()


def read_words(path):
    data = open(path, "rb").read()
    if len(data) > 408 and data[200:208].strip().isdigit():  # a LESSICO.DAT
        words = set()
        for L in range(3, 16):
            at = 200 + 16 * (L - 3)
            start, end = int(data[at:at + 8].strip() or 0), int(data[at + 8:at + 16].strip() or 0)
            for k in range((end - start) // L):
                words.add(data[start - 1 + k * L:start - 1 + (k + 1) * L].decode("latin-1"))
        return words
    return {fold(l.strip()) for l in data.decode("utf-8").splitlines() if l.strip()}


def runs(grid):
    rows, cols = len(grid), len(grid[0])
    for across in (True, False):
        outer, inner = (rows, cols) if across else (cols, rows)
        for a in range(outer):
            run = []
            for b in range(inner + 1):
                cell = None if b == inner else ((a, b) if across else (b, a))
                if cell is not None and grid[cell[0]][cell[1]] != "#":
                    run.append(cell)
                    continue
                if len(run) >= 3:
                    yield run
                run = []


def faults_of(before, out, words):
    """What is wrong with OUT as a complete fill of BEFORE, or nothing."""
    faults = []
    if not out or [len(r) for r in before] != [len(r) for r in out]:
        return ["sizes differ"]
    for r, (b, o) in enumerate(zip(before, out)):
        for c, (x, y) in enumerate(zip(b, o)):
            if (x == "#") != (y == "#"):
                faults.append(f"black cell changed at {c + 1},{r + 1}")
            elif x.isalpha() and x != y:
                faults.append(f"letter {x} at {c + 1},{r + 1} became {y}")
    in_word = {cell for run in runs(out) for cell in run}
    for r, (b, o) in enumerate(zip(before, out)):
        for c, (x, y) in enumerate(zip(b, o)):
            if (r, c) not in in_word and x != y and x != "#" and not x.isalpha() and not y.isalpha():
                faults.append(f"cell {c + 1},{r + 1} is in no word of 3 or more but changed")
    used = {}
    for run in runs(out):
        word = "".join(out[r][c] for r, c in run)
        where = f"{run[0][1] + 1},{run[0][0] + 1}"
        if word not in words:
            faults.append(f"{word} at {where} is not a word")
        if word in used:
            faults.append(f"{word} at {where} repeats the one at {used[word]}")
        used[word] = where
    return faults


def main():
    args = sys.argv[1:]
    if not args or len(args) % 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    several, failed = len(args) > 3, False
    word_lists = {}
    for k in range(0, len(args), 3):
        before, out, words = args[k:k + 3]
        try:
            if words not in word_lists:
                word_lists[words] = read_words(words)
            faults = faults_of(read_grid(before), read_grid(out), word_lists[words])
        except (OSError, ValueError, IndexError, UnicodeDecodeError) as error:
            faults = [f"unreadable: {error}"]
        failed = failed or bool(faults)
        text = "; ".join(faults) if several else "\n".join(faults)
        print((out + ": " if several else "") + (text if faults else "ok"))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
