#!/bin/sh
# Writes to the file named by $1 the table that leads an inflected word back
# to the entry of Debian's Italian thesaurus it comes from (GATTI -> gatto),
# from Debian's hunspell dictionary: every entry of the dictionary is
# expanded on its own (a separator line after each one tells where its forms
# end), and each form of an entry the thesaurus knows, not itself an entry,
# gives one line "FORMA<TAB>entry". FORMA is the form in capitals without
# accents, as the grid spells it; lines are sorted by their bytes, so a
# reader can search the file without loading it.
set -e
out=$1
dic=${2:-/usr/share/hunspell/it_IT.dic}
aff=${3:-/usr/share/hunspell/it_IT.aff}
dat=${4:-/usr/share/mythes/th_it_IT_v2.dat}
tmp=$out.dic.tmp
awk 'NR == 1 { next } { print; print "QDRSEPARA" } END { }' "$dic" > "$tmp.body"
{ grep -c '' "$tmp.body"; cat "$tmp.body"; } > "$tmp"
rm -f "$tmp.body"
unmunch "$tmp" "$aff" 2>/dev/null |
  LC_ALL=C awk -F'|' '
    NR == FNR { if (FNR > 1 && substr($0, 1, 1) != "(") entry[$1] = 1; next }
    $0 == "QDRSEPARA" { root = ""; next }
    root == "" { root = $0; next }
    (root in entry) && !($0 in entry) { print $0 "\t" root }
  ' "$dat" - |
  LC_ALL=C.UTF-8 sed 'h; s/\t.*//; y/àáèéìíòóù/aaeeiioou/; s/.*/\U&/; G; s/\n[^\t]*//' |
  LC_ALL=C grep -E '^[A-Z]{2,15}	' | LC_ALL=C sort -u > "$out.tmp" || true
rm -f "$tmp"
test -s "$out.tmp"
mv "$out.tmp" "$out"
