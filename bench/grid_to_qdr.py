#!/usr/bin/env python3
"""Turns a text grid into a crossword file (.qdr) that the program and
quadrivo-tool read.

usage: grid_to_qdr.py GRID.txt OUT.qdr [GRID.txt OUT.qdr ...] [--autore NAME] [--data DD-MM-YYYY]

The text grid has one row a line: '#' (or '*') a black cell, '.' (or '_') an
empty white cell, A-Z a letter already placed (lower case is taken as upper
case); blanks between cells are ignored, lines that are empty or start with
';' are skipped. In the file each cell is two bytes: the cell's character
shifted up by 26 ('.' empty, '*' black, or the letter), then '*' for a black
cell and '.' for any other. Grids from 3 x 3 to 25 x 15 (columns x rows).
Several pairs convert in one run.
Exit 0, or 1 with the reason on stderr."""
import argparse
import sys

SHIFT = 26
MIN_COLUMNS, MAX_COLUMNS, MIN_ROWS, MAX_ROWS = 3, 25, 3, 15


def read_text_grid(path):
    rows = []
    for number, raw in enumerate(open(path, encoding="utf-8"), 1):
        line = raw.rstrip("\r\n")
        if not line.strip() or line.startswith(";"):
            continue
        row = ""
        for ch in line.replace(" ", "").replace("\t", ""):
            if ch in "#*":
                row += "*"
            elif ch in "._":
                row += "."
            elif "A" <= ch.upper() <= "Z" and ch.isascii():
                row += ch.upper()
            else:
                raise ValueError(f"riga {number}: carattere {ch!r} non ammesso")
        rows.append(row)
    if not rows:
        raise ValueError("griglia vuota")
    if any(len(r) != len(rows[0]) for r in rows):
        raise ValueError("righe di lunghezza diversa")
    columns, count = len(rows[0]), len(rows)
    if not (MIN_COLUMNS <= columns <= MAX_COLUMNS and MIN_ROWS <= count <= MAX_ROWS):
        raise ValueError(f"dimensioni {columns}x{count} fuori da "
                         f"{MIN_COLUMNS}x{MIN_ROWS}..{MAX_COLUMNS}x{MAX_ROWS}")
    return rows


def encode(rows, author, date):
    lines = [
        f"Autore     : {author}",
        f"Data       : {date}",
        "Tipo       : Crociate Normale",
        f"Dimensioni : {len(rows[0]):02d}x{len(rows):02d}",
    ]
    for row in rows:
        lines.append("".join(chr(ord(ch) + SHIFT) + ("*" if ch == "*" else ".") for ch in row))
    return ("\r\n".join(lines) + "\r\n").encode("latin-1")


def main():
    parser = argparse.ArgumentParser(description="griglia di testo -> file .qdr")
    parser.add_argument("files", nargs="+", metavar="GRID.txt OUT.qdr")
    parser.add_argument("--autore", default="bench")
    parser.add_argument("--data", default="01-01-2026")
    args = parser.parse_args()
    if len(args.files) % 2:
        parser.error("ogni griglia vuole il suo file .qdr")
    status = 0
    for grid, out in zip(args.files[::2], args.files[1::2]):
        try:
            rows = read_text_grid(grid)
        except (OSError, ValueError, UnicodeDecodeError) as error:
            print(f"{grid}: {error}", file=sys.stderr)
            status = 1
            continue
        with open(out, "wb") as f:
            f.write(encode(rows, args.autore, args.data))
    return status


if __name__ == "__main__":
    sys.exit(main())
