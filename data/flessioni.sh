#!/bin/sh
# Writes to the file named by $1 the plain Italian word forms (plurals,
# feminines, verb forms) that Debian's hunspell dictionary expands to: lower
# case only (no proper names), no apostrophes, 3 to 15 letters.
set -e
dic=${2:-/usr/share/hunspell/it_IT.dic}
aff=${3:-/usr/share/hunspell/it_IT.aff}
unmunch "$dic" "$aff" 2>/dev/null | LC_ALL=C.UTF-8 grep -x -E '[a-zàèéìíòóù]{3,15}' > "$1.tmp" || true
test -s "$1.tmp"
mv "$1.tmp" "$1"
