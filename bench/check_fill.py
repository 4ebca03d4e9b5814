#!/usr/bin/env python3
"""Checks a complete fill on its own, without trusting the program that made it.

usage: check_fill.py BEFORE OUT WORDS
BEFORE and OUT are grids, either crossword files (.qdr) or text grids (one row
a line, '#' black, '.' empty, A-Z letters); WORDS is the word list (one word a
line) or a LESSICO.DAT. Checks that OUT keeps BEFORE's black cells and
letters, that every run of 3 or more white cells of OUT is a word of the list,
and that no word is used twice. Prints "ok" or the faults, exit 0 or 1."""
import sys


def read_grid(path):
    data = open(path, "rb").read()
    lines = data.replace(b"\r\n", b"\n").replace(b"\r", b"\n").split(b"\n")
    if lines and lines[0].startswith(b"Autore"):
        size = lines[3].decode("latin-1").split(":")[1].strip()
        cols, rows = (int(x) for x in size.split("x"))
        grid = []
        for r in range(rows):
            line = lines[4 + r]
            grid.append("".join(chr(line[2 * c] - 26) if 2 * c < len(line) else "." for c in range(cols)))
        return [row.replace("*", "#") for row in grid]
    return [l.decode("latin-1") for l in lines if l.strip() and not l.startswith(b";")]


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
    return {l.strip() for l in data.decode("utf-8").splitlines() if l.strip()}


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


def main():
    before, out, words = read_grid(sys.argv[1]), read_grid(sys.argv[2]), read_words(sys.argv[3])
    faults = []
    if [len(r) for r in before] != [len(r) for r in out]:
        faults.append("sizes differ")
    else:
        for r, (b, o) in enumerate(zip(before, out)):
            for c, (x, y) in enumerate(zip(b, o)):
                if (x == "#") != (y == "#"):
                    faults.append(f"black cell changed at {c + 1},{r + 1}")
                elif x.isalpha() and x != y:
                    faults.append(f"letter {x} at {c + 1},{r + 1} became {y}")
        used = {}
        for run in runs(out):
            word = "".join(out[r][c] for r, c in run)
            where = f"{run[0][1] + 1},{run[0][0] + 1}"
            if word not in words:
                faults.append(f"{word} at {where} is not a word")
            if word in used:
                faults.append(f"{word} at {where} repeats the one at {used[word]}")
            used[word] = where
    print("\n".join(faults) if faults else "ok")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
