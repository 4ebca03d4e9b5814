#!/usr/bin/env python3
"""Runs Qxw's batch filler and `quadrivo-tool riempi --completo` on the same
grids with the same word list and prints, side by side, how often each fills
or proves impossible and its median time. Then, with the build's own
LESSICO.DAT, how many of the model library's grids and of the sample crossword
files fill completely (complete_fill_bench).

usage: compare_qxw.py [GRIDS [TOOL [SEEDS]]] [--limite S] [--qxw PATH]
                      [--dizionario FILE] [--modelli CRUCINEW.DAT]
                      [--campioni DIR] [--bench PATH] [--lessico FILE]
                      [--senza-modelli]

GRIDS is a folder of text grids (one row a line, '#' black, '.' empty, A-Z a
letter) with mkdict.py, grid2deck.py and deck2grid.py beside them (default:
../shared/bench/qxw next to the source tree); TOOL the quadrivo-tool program
(default: build/bin/quadrivo-tool of the source tree); SEEDS the number of
seeds (default 5). Qxw runs once deterministically and SEEDS times randomised
(seed i for run i); ours runs with --seme 1..SEEDS. Each run has --limite
seconds (default 120). Every fill, ours and Qxw's, is checked with
check_fill.py against the word list. Times are wall-clock times of the whole
process (loading the words included) and, in brackets, the search time each
program reports (ours without building its letter index, which it does once
per word list). Runs and seeds take turns (Qxw run i, then our seed i). A run that runs out
of time is counted apart (the s of r/i/s) and left out of the medians; a grid
Qxw decides misses the goal when ours runs out of time on it, gives another
verdict on some seed, or is slower than half Qxw's median on either time.
Exit 0 when every check passed, 1 otherwise."""
import argparse
import glob
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(HERE)


def run(command, limit, stdout_path=None):
    """(exit status or 'limite', wall seconds, stdout text, stderr text)."""
    start = time.monotonic()
    out = open(stdout_path, "w") if stdout_path else subprocess.PIPE
    try:
        done = subprocess.run(command, stdout=out, stderr=subprocess.PIPE, timeout=limit + 5, text=True,
                              errors="replace")
        status, stdout, stderr = done.returncode, done.stdout or "", done.stderr
    except subprocess.TimeoutExpired:
        status, stdout, stderr = "limite", "", ""
    finally:
        if stdout_path:
            out.close()
    wall = time.monotonic() - start
    if stdout_path and status != "limite":
        stdout = open(stdout_path, errors="replace").read()
    return status, wall, stdout, stderr


def check_fill(before, after, words):
    done = subprocess.run([sys.executable, os.path.join(HERE, "check_fill.py"), before, after, words],
                          capture_output=True, text=True)
    return done.returncode == 0, done.stdout.strip()


class Tally:
    """The runs of one program on one grid. A run that ran out of time counts
    apart: the medians are over the runs that decided (filled or proved)."""

    def __init__(self):
        self.filled = self.impossible = self.timeout = self.errors = 0
        self.walls, self.searches, self.notes, self.figures = [], [], [], []
        self.nodes, self.restarts = [], []

    def add(self, outcome, wall, search):
        setattr(self, outcome, getattr(self, outcome) + 1)
        if outcome in ("filled", "impossible"):
            self.walls.append(wall)
            if search is not None:
                self.searches.append(search)

    def decided(self):
        return self.filled + self.impossible

    def counts(self):
        text = f"{self.filled}/{self.impossible}/{self.timeout}"
        return text + (f" E{self.errors}" if self.errors else "")

    def median_wall(self):
        return statistics.median(self.walls) if self.walls else float("nan")

    def median_search(self):
        return statistics.median(self.searches) if self.searches else float("nan")

    def times(self):
        return f"{self.median_wall():7.3f} ({self.median_search():7.3f})"


def qxw_run(args, grid, work, words, limit, i, tally):
    """Qxw's run i: 0 deterministic, 1..SEEDS randomised with seed i."""
    name = os.path.basename(grid)
    deck = os.path.join(work, f"{name}.{i}.qxd")
    with open(deck, "w") as f:
        subprocess.run([sys.executable, os.path.join(args.grids, "grid2deck.py"), grid,
                        "--random", "1" if i else "0"], stdout=f, check=True)
    seeds = ["-F", str(i), "-R", str(i)] if i else []
    answer = os.path.join(work, f"{name}.{i}.qxw.txt")
    command = ["timeout", str(limit), args.qxw, "-b", "-a", "AZ", "-d", words, "-D", "1", *seeds, deck]
    status, wall, stdout, _ = run(command, limit, answer)
    found = re.search(r"search finished: ([0-9.]+)s", stdout)
    search = float(found.group(1)) if found else None
    if status == 0:
        filled = os.path.join(work, f"{name}.{i}.qxw.grid")
        with open(filled, "w") as f:
            made = subprocess.run([sys.executable, os.path.join(args.grids, "deck2grid.py"), grid, answer],
                                  stdout=f, stderr=subprocess.PIPE, text=True)
        ok, faults = check_fill(grid, filled, words) if made.returncode == 0 else (False, made.stderr)
        tally.add("filled" if ok else "errors", wall, search)
        if not ok:
            tally.notes.append(f"Qxw run {i}: {faults}")
    elif status == 4:
        tally.add("impossible", wall, search)
    elif status in (124, "limite"):
        tally.add("timeout", limit, None)
    else:
        tally.add("errors", wall, search)
        tally.notes.append(f"Qxw run {i}: exit {status}")


def our_run(args, grid, qdr, work, words, lessico, limit, seed, tally):
    name = os.path.basename(grid)
    out = os.path.join(work, f"{name}.{seed}.ours.qdr")
    if os.path.exists(out):
        os.remove(out)
    # The same words as Qxw: every word of the list, none kept back by the quality.
    command = [args.tool, "riempi", qdr, out, "--completo", "--seme", str(seed), "--limite", str(limit),
               "-l", lessico, "--qualita", "100"]
    status, wall, stdout, stderr = run(command, limit)
    found = re.search(r"nodi (\d+) ritorni (\d+) ripartenze (\d+) ms (\d+) indice ms (\d+)", stdout)
    # The search without laying out the word list's letter index, which the
    # program does once per word list (as Qxw's search time leaves out its
    # reading of the list); the tool prints both.
    search = (int(found.group(4)) - int(found.group(5))) / 1000 if found else None
    if found:
        tally.figures.append(f"s{seed}: nodi {found.group(1)} ritorni {found.group(2)} ripartenze {found.group(3)}"
                             f" ms {found.group(4)} (indice {found.group(5)})")
        tally.nodes.append(int(found.group(1)))
        tally.restarts.append(int(found.group(3)))
    written = os.path.exists(out)
    if status == 0 and written:
        ok, faults = check_fill(qdr, out, words)
        tally.add("filled" if ok else "errors", wall, search)
        if not ok:
            tally.notes.append(f"seme {seed}: check_fill: {faults}")
    elif status == 4 and not written and stderr.strip():
        tally.add("impossible", wall, search)
    elif status in (5, "limite") and not written:
        tally.add("timeout", wall, search)
    else:
        tally.add("errors", wall, search)
        tally.notes.append(f"seme {seed}: exit {status}, OUT {'scritto' if written else 'assente'}, "
                           f"stderr {stderr.strip()!r}")


def verdict(qxw, ours, seeds):
    """Whether ours meets the goal on a grid Qxw decides: the same verdict on
    every seed, and at most half Qxw's median time, whole process and search
    alike. Missing either time is a miss."""
    if not qxw.decided():
        return "-"
    if ours.errors:
        return "NO (errori)"
    if qxw.filled and qxw.impossible:
        return "NO (Qxw si contraddice)"
    if ours.timeout:
        return "NO (scaduto)"
    if qxw.filled and ours.filled != seeds:
        return "NO (non riempie sempre)"
    if qxw.impossible and ours.impossible != seeds:
        return "NO (non dimostra)"
    wall = ours.median_wall() <= qxw.median_wall() / 2
    search = ours.median_search() <= qxw.median_search() / 2
    if wall and search:
        return "si"
    return "NO (ricerca)" if wall else ("NO (processo)" if search else "NO (tempo)")


def models_and_samples(args):
    bench = args.bench or os.path.join(os.path.dirname(args.tool), "complete_fill_bench")
    lessico = args.lessico or os.path.join(os.path.dirname(args.tool), "LESSICO.DAT")
    samples = sorted(glob.glob(os.path.join(args.campioni, "*.qdr")))
    if not os.access(bench, os.X_OK):
        print(f"\n{bench} non c'e': compilare con -DQUADRIVO_BENCH=ON (target complete_fill_bench)")
        return True
    command = [bench, "-l", lessico, "-s", str(args.seeds), "-t", str(args.limite), "-m", args.modelli, *samples]
    print(f"\nCon il vocabolario {lessico}: modelli di {args.modelli} e {len(samples)} cruciverba di "
          f"{args.campioni}, {args.seeds} semi, limite {args.limite:g} s\n", flush=True)
    done = subprocess.run(command, capture_output=True, text=True)
    print(done.stdout, end="")
    if done.stderr.strip():
        print(done.stderr, end="")
    rows = [l for l in done.stdout.splitlines() if re.search(r"\s\d+/\d+\s", l)]
    complete = [l for l in rows if re.search(r"\s(\d+)/\1\s", l)]
    if rows:
        print(f"quota riempita con ogni seme: {len(complete)} su {len(rows)} ({100 * len(complete) / len(rows):.0f}%)")
    return done.returncode == 0


def main():
    parser = argparse.ArgumentParser(description="Qxw e riempi --completo a confronto")
    parser.add_argument("grids", nargs="?", default=os.path.join(os.path.dirname(SOURCE), "shared", "bench", "qxw"))
    parser.add_argument("tool", nargs="?", default=os.path.join(SOURCE, "build", "bin", "quadrivo-tool"))
    parser.add_argument("seeds", nargs="?", type=int, default=5)
    parser.add_argument("--limite", type=float, default=120)
    parser.add_argument("--qxw", default=shutil.which("qxw") or "/usr/games/qxw")
    parser.add_argument("--dizionario", default="/usr/share/dict/italian")
    parser.add_argument("--modelli", default=os.path.join(SOURCE, "data", "CRUCINEW.DAT"))
    parser.add_argument("--campioni", default=os.path.join(SOURCE, "tests", "data", "griglie"))
    parser.add_argument("--bench", help="complete_fill_bench (predefinito: accanto a TOOL)")
    parser.add_argument("--lessico", help="LESSICO.DAT per i modelli (predefinito: accanto a TOOL)")
    parser.add_argument("--senza-modelli", action="store_true")
    args = parser.parse_args()
    args.tool = os.path.abspath(args.tool)
    args.seeds = max(1, args.seeds)
    grids = sorted(g for g in glob.glob(os.path.join(args.grids, "*.txt")))
    if not grids:
        sys.exit(f"nessuna griglia .txt in {args.grids}")
    if not os.access(args.tool, os.X_OK):
        sys.exit(f"{args.tool} non e' un programma")
    has_qxw = os.access(args.qxw, os.X_OK)

    all_ok = True
    with tempfile.TemporaryDirectory(prefix="compare_qxw.") as work:
        words = os.path.join(work, "italian_AZ_3_15.dict")
        subprocess.run([sys.executable, os.path.join(args.grids, "mkdict.py"), args.dizionario, words],
                       check=True, stdout=subprocess.DEVNULL)
        lessico = os.path.join(work, "LESSICO.DAT")
        subprocess.run([args.tool, "lessico", "-o", lessico, words], check=True, stdout=subprocess.DEVNULL)
        count = sum(1 for _ in open(words))
        print(f"{count} parole da {args.dizionario}; {args.seeds} semi; limite {args.limite:g} s; "
              f"Qxw: 1 corsa deterministica + {args.seeds} casuali" + ("" if has_qxw else " (Qxw assente)"))
        print("riempite/impossibili/scadute; tempi mediani in secondi: processo intero (ricerca)\n")
        header = f"{'griglia':24} {'Qxw r/i/s':>10} {'Qxw mediana':>17} {'nostro r/i/s':>12} " \
                 f"{'nostro mediana':>17} {'rapporto':>15} obiettivo"
        print(header)
        print("-" * len(header))
        details, summary, misses = [], [], 0
        for grid in grids:
            name = os.path.basename(grid)
            qdr = os.path.join(work, name[:-4] + ".qdr")
            made = subprocess.run([sys.executable, os.path.join(HERE, "grid_to_qdr.py"), grid, qdr],
                                  capture_output=True, text=True)
            if made.returncode != 0:
                print(f"{name:24} non convertita: {made.stderr.strip()}")
                all_ok = False
                continue
            # Qxw and ours take turns, so a busy machine weighs on both alike.
            qxw, ours = Tally(), Tally()
            for i in range(0, args.seeds + 1):
                if has_qxw:
                    qxw_run(args, grid, work, words, args.limite, i, qxw)
                if i:
                    our_run(args, grid, qdr, work, words, lessico, args.limite, i, ours)
            ratio_wall = ours.median_wall() / qxw.median_wall() if qxw.walls else float("nan")
            ratio_search = ours.median_search() / qxw.median_search() if qxw.searches else float("nan")
            goal = verdict(qxw, ours, args.seeds) if has_qxw else "-"
            print(f"{name:24} {qxw.counts():>10} {qxw.times():>17} {ours.counts():>12} {ours.times():>17} "
                  f"{ratio_wall:6.3f} ({ratio_search:6.3f}) {goal}", flush=True)
            if ours.nodes:
                summary.append(f"{name:24} {statistics.median(ours.nodes):>10.0f} "
                               f"{statistics.median(ours.restarts):>11.0f} {ours.median_search():>9.3f}")
            details.append(f"{name}: " + "; ".join(ours.figures))
            for note in qxw.notes + ours.notes:
                details.append(f"  {name}: {note}")
            misses += goal.startswith("NO")
            all_ok = all_ok and not ours.errors and not goal.startswith("NO")
            if (qxw.filled and ours.impossible) or (qxw.impossible and ours.filled):
                details.append(f"  {name}: ERRORE: Qxw e il nostro danno verdetti opposti")
                all_ok = False
        print(f"\nobiettivo mancato su {misses} griglie; le corse scadute (r/i/s: s) sono fuori dalle mediane")
        print(f"\n{'griglia':24} {'nodi med.':>10} {'ripartenze':>11} {'ricerca s':>9}")
        print("\n".join(summary))
        print("\nnodi, ritorni e ripartenze per seme:")
        print("\n".join(details))
    if not args.senza_modelli:
        all_ok = models_and_samples(args) and all_ok
    return 0 if all_ok else 1


if __name__ == "__main__":
    sys.exit(main())
