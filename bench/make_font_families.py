#!/usr/bin/env python3
"""Makes a desktop with many font families for the font-list benchmark.

    make_font_families.py FOLDER [COUNT]

Writes FOLDER/fonts/ with COUNT links to the Liberation fonts (default 1000)
and FOLDER/fonts.conf, a fontconfig file that reads the system's fonts and
these, giving each link a family name of its own ("Banco 0001" ...), with
its cache in FOLDER/cache. Run a program with FONTCONFIG_FILE=FOLDER/fonts.conf
and it sees COUNT more families; nothing outside FOLDER changes.
"""
import glob
import os
import subprocess
import sys
from xml.sax.saxutils import escape


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    folder = os.path.abspath(sys.argv[1])
    count = int(sys.argv[2]) if len(sys.argv) == 3 else 1000
    sources = sorted(glob.glob("/usr/share/fonts/truetype/liberation*/*.ttf"))
    if not sources:
        sys.exit("no Liberation fonts in /usr/share/fonts/truetype (apt-get install fonts-liberation2)")
    fonts = os.path.join(folder, "fonts")
    os.makedirs(fonts, exist_ok=True)
    for old in glob.glob(os.path.join(fonts, "*.ttf")):
        os.remove(old)
    rules = []
    for i in range(count):
        link = os.path.join(fonts, "banco%04d.ttf" % (i + 1))
        os.symlink(sources[i % len(sources)], link)
        rules.append(
            '<match target="scan"><test name="file"><string>%s</string></test>'
            '<edit name="family" mode="assign" binding="same"><string>Banco %04d</string></edit></match>'
            % (escape(link), i + 1))
    with open(os.path.join(folder, "fonts.conf"), "w") as out:
        out.write('<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">\n<fontconfig>\n')
        out.write('<include ignore_missing="yes">/etc/fonts/fonts.conf</include>\n')
        out.write("<dir>%s</dir>\n<cachedir>%s</cachedir>\n" % (escape(fonts), escape(os.path.join(folder, "cache"))))
        out.write("\n".join(rules))
        out.write("\n</fontconfig>\n")
    # Fill the cache now, so that no measured run pays for the scan.
    env = dict(os.environ, FONTCONFIG_FILE=os.path.join(folder, "fonts.conf"))
    families = subprocess.run(["fc-list", ":", "family"], env=env, capture_output=True, text=True, check=True)
    print("%d families" % len(set(families.stdout.split("\n")) - {""}))


if __name__ == "__main__":
    main()
