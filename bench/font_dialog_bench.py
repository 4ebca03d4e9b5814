#!/usr/bin/env python3
"""The first opening of "Selezione Font" against Qt's own font dialog on the
same fonts, with many font families made for the purpose.

    font_dialog_bench.py [-b build/bin/font_dialog_bench] [-n ROUNDS] [COUNT ...]

For each COUNT (default 1000) it makes COUNT extra families through a private
fontconfig file (make_font_families.py), then runs both dialogs ROUNDS times
(default 7), each opening in a fresh process, the two kinds interleaved and
their order swapped every round, and prints medians and the ratio: "warm"
with a main window up first, as in the program, "cold" as the process's
first window (paying for the font database and the style as well). Set
QT_QPA_PLATFORM (offscreen, or xcb with DISPLAY) as for the program.
Goals: first opening <= 500 ms and <= 3x Qt's dialog.
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def run(binary, kind, start, env):
    out = subprocess.run([binary, kind, start], env=env, capture_output=True, text=True, timeout=300)
    if out.returncode != 0:
        sys.exit("%s %s failed: %s" % (binary, kind, out.stderr.strip()))
    ms, offered = out.stdout.split()
    return float(ms), int(offered)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("-b", default=os.path.join(HERE, "..", "build", "bin", "font_dialog_bench"))
    parser.add_argument("-n", type=int, default=7)
    parser.add_argument("counts", nargs="*", type=int, default=[1000])
    args = parser.parse_args()
    print("%-8s %-5s %-16s %10s %10s %8s  %s" % ("extra", "start", "dialog", "median ms", "min ms", "offered",
                                                 "ratio to Qt"))
    ok = True
    with tempfile.TemporaryDirectory() as folder:
        for count in args.counts:
            place = os.path.join(folder, str(count))
            subprocess.run([sys.executable, os.path.join(HERE, "make_font_families.py"), place, str(count)],
                           check=True, capture_output=True)
            env = dict(os.environ, FONTCONFIG_FILE=os.path.join(place, "fonts.conf"))
            for start in ("warm", "cold"):
                times = {"quadrivo": [], "qt": []}
                offered = {}
                for r in range(args.n):
                    for kind in (("quadrivo", "qt") if r % 2 == 0 else ("qt", "quadrivo")):
                        ms, n = run(args.b, kind, start, env)
                        times[kind].append(ms)
                        offered[kind] = n
                ours, theirs = statistics.median(times["quadrivo"]), statistics.median(times["qt"])
                ratio = ours / theirs
                print("%-8d %-5s %-16s %10.0f %10.0f %8d  %.2fx" % (
                    count, start, "Selezione Font", ours, min(times["quadrivo"]), offered["quadrivo"], ratio))
                print("%-8d %-5s %-16s %10.0f %10.0f %8d" % (
                    count, start, "QFontDialog", theirs, min(times["qt"]), offered["qt"]))
                ok = ok and ours <= 500 and ratio <= 3
    print("goals (<= 500 ms, <= 3x Qt's):", "met" if ok else "MISSED")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
