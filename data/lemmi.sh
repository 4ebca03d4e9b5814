#!/bin/sh
# Writes to the file named by $1 the words Debian's hunspell dictionary lists
# as its own entries (before it expands them into plurals and verb forms):
# lower case only (no proper names), no apostrophes, 3 to 15 letters.
set -e
dic=${2:-/usr/share/hunspell/it_IT.dic}
tail -n +2 "$dic" | sed 's|/.*||' | LC_ALL=C.UTF-8 grep -x -E '[a-zàèéìíòóù]{3,15}' | LC_ALL=C sort -u > "$1.tmp" || true
test -s "$1.tmp"
mv "$1.tmp" "$1"
