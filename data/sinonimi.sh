#!/bin/sh
# Writes to the file named by $1 every single word of Debian's Italian
# thesaurus (mythes-it): its entries and their synonyms, one a line, without
# the part-of-speech notes and without phrases. A word there is in common
# use: it ranks first in LESSICO.DAT.
set -e
dat=${2:-/usr/share/mythes/th_it_IT_v2.dat}
tail -n +2 "$dat" | tr '|' '\n' | LC_ALL=C.UTF-8 grep -x -E "[[:alpha:]]{3,15}" | LC_ALL=C sort -u > "$1.tmp" || true
test -s "$1.tmp"
mv "$1.tmp" "$1"
