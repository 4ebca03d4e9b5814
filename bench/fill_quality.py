#!/usr/bin/env python3
"""How good the words of "Completa schema" are: runs `quadrivo-tool riempi
--completo` on the sample crossword files and the model library, several
seeds each, and prints the share of runs that fill, the median search time,
the share of words of 3 or more letters that are real Italian words, and the
lowest-ranked words the fills used.

usage: fill_quality.py [--tool PATH] [--lessico FILE] [--semi N] [--limite S]
                       [--qualita N] [--campioni DIR] [--modelli CRUCINEW.DAT]
                       [--bench PATH] [--giudice FILE ...] [--etichetta TEXT]

The judge of "real word" is not the vocabulary's own ranking: a word is real
when it is in Debian's Italian word list (/usr/share/dict/italian, package
witalian) or is a single word of Debian's Italian thesaurus (mythes-it);
--giudice names other plain lists instead. The share is also given for each
list alone. A word's rank is its place in its length group of the
vocabulary, as a fraction of the group (0 = first, 1 = last).

--tool may be an older quadrivo-tool: the grids are written once by
complete_fill_bench (--bench, default beside --tool's build) and filled with
whatever tool is given; --qualita is passed only when given.
A filled grid that still has an empty white cell (an older tool leaves the
runs of two cells to their crossings) is counted apart.
Exit 0, or 1 when a run wrote a grid with an empty white cell."""
import argparse
import glob
import os
import re
import statistics
import subprocess
import sys
import tempfile
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(HERE)
WITALIAN = "/usr/share/dict/italian"
THESAURUS = "/usr/share/mythes/th_it_IT_v2.dat"


def fold(text):
    """The word as the grid writes it: upper case A-Z, accents dropped; None otherwise."""
    text = unicodedata.normalize("NFD", text.strip())
    text = "".join(ch for ch in text if not unicodedata.combining(ch)).upper()
    return text if re.fullmatch("[A-Z]+", text) else None


def read_judge(path):
    words = set()
    if path.endswith(".dat"):  # a mythes thesaurus: entries and synonyms, '|' apart
        lines = (part for line in open(path, encoding="utf-8", errors="replace") for part in line.split("|"))
    else:
        lines = open(path, encoding="utf-8", errors="replace")
    for line in lines:
        if line[:1].isupper():  # proper names
            continue
        word = fold(line)
        if word:
            words.add(word)
    return words


def read_lessico(path):
    """{word: rank fraction} over every length group of a LESSICO.DAT."""
    data = open(path, "rb").read()
    ranks = {}
    for length in range(3, 16):
        field = 200 + 16 * (length - 3)
        start, end = int(data[field:field + 8] or 0), int(data[field + 8:field + 16] or 0)
        count = max(0, (end - start) // length)
        for k in range(count):
            word = data[start - 1 + k * length:start - 1 + (k + 1) * length].decode("latin-1")
            ranks.setdefault(word, k / max(1, count - 1))
    return ranks


def main():
    parser = argparse.ArgumentParser(description="qualita' delle parole di Completa schema")
    parser.add_argument("--tool", default=os.path.join(SOURCE, "build", "bin", "quadrivo-tool"))
    parser.add_argument("--lessico")
    parser.add_argument("--bench")
    parser.add_argument("--semi", type=int, default=3)
    parser.add_argument("--limite", type=float, default=60)
    parser.add_argument("--qualita", type=int)
    parser.add_argument("--campioni", default=os.path.join(SOURCE, "tests", "data", "griglie"))
    parser.add_argument("--modelli", default=os.path.join(SOURCE, "data", "CRUCINEW.DAT"))
    parser.add_argument("--giudice", nargs="*", default=[WITALIAN, THESAURUS])
    parser.add_argument("--etichetta", default="")
    args = parser.parse_args()
    lessico = args.lessico or os.path.join(os.path.dirname(args.tool), "LESSICO.DAT")
    bench = args.bench or os.path.join(SOURCE, "build", "bin", "complete_fill_bench")

    judges = {os.path.basename(path): read_judge(path) for path in args.giudice if os.path.exists(path)}
    if not judges:
        print("nessun elenco per giudicare le parole", file=sys.stderr)
        return 1
    ranks = read_lessico(lessico)

    fails = 0
    with tempfile.TemporaryDirectory() as work:
        subprocess.run([bench, "-m", args.modelli, "-w", work], check=True)
        grids = sorted(glob.glob(os.path.join(args.campioni, "*.qdr"))) + sorted(glob.glob(os.path.join(work, "modello_*.qdr")))
        runs = filled = 0
        times, words = [], []
        for grid in grids:
            for seed in range(1, args.semi + 1):
                out = os.path.join(work, "fill.qdr")
                command = [args.tool, "riempi", grid, out, "--completo", "--seme", str(seed),
                           "--limite", str(args.limite), "-l", lessico]
                if args.qualita:
                    command += ["--qualita", str(args.qualita)]
                done = subprocess.run(command, capture_output=True, text=True, errors="replace")
                runs += 1
                found = re.search(r" ms (\d+)", done.stdout)
                times.append(float(found.group(1)) if found else args.limite * 1000)
                if done.returncode != 0:
                    continue
                filled += 1
                listed = subprocess.run([args.tool, "parole", out], capture_output=True, text=True, check=True)
                holes = False
                for line in listed.stdout.splitlines():
                    letters = line.split("\t")[1]
                    holes = holes or "." in letters
                    if len(letters) >= 3:
                        words.append((letters, os.path.basename(grid), seed))
                fails += 1 if holes else 0

    judged = [w for w, _, _ in words]
    union = set().union(*judges.values())
    real = sum(1 for w in judged if w in union)
    print(f"\n{args.etichetta}vocabolario {lessico}"
          + (f", qualita' {args.qualita}" if args.qualita else ""))
    print("| riempite | con caselle vuote | tempo mediano (ms) | parole vere (" + " o ".join(judges) + ") | "
          + " | ".join(f"solo {name}" for name in judges) + " |")
    print("|---|---|---|---|" + "---|" * len(judges))
    share = lambda n: f"{100 * n / max(1, len(judged)):.1f}%"
    print(f"| {filled}/{runs} ({100 * filled / max(1, runs):.0f}%) | {fails} | {statistics.median(times):.0f} | "
          f"{share(real)} di {len(judged)} | "
          + " | ".join(share(sum(1 for w in judged if w in judge)) for judge in judges.values()) + " |")

    by_grid = {}
    for w, grid, _ in words:
        total, unknown = by_grid.get(grid, (0, 0))
        by_grid[grid] = (total + 1, unknown + (w not in union))
    print("\nparole sconosciute al giudice per griglia: "
          + ", ".join(f"{g} {u}/{t}" for g, (t, u) in sorted(by_grid.items()) if u))
    unjudged = sorted({w for w in judged if w not in union})
    print(f"\nparole che il giudice non conosce ({len(unjudged)}): " + " ".join(unjudged[:80]))
    lowest = sorted({w for w in judged}, key=lambda w: -ranks.get(w, 2))[:20]
    print("le 20 parole usate di rango piu' basso (posto nel gruppo, 0 = prima, 1 = ultima): "
          + ", ".join(f"{w} {ranks.get(w, float('nan')):.2f}" for w in lowest))
    return 1 if fails else 0


if __name__ == "__main__":
    sys.exit(main())
