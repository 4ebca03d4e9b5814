#!/usr/bin/env bash
# Builds the Debian package of a build folder with cpack, installs it with
# dpkg into a fresh root folder, and runs the installed quadrivo-tool from
# there: it must find its vocabulary in share/quadrivo and write exports.
# Needs a complete build (BUILD=folder), cpack and dpkg; DATA=tests/data.
source "$(dirname "$0")/lib.sh"
for program in cpack dpkg dpkg-deb; do
    command -v "$program" >/dev/null || { echo "SKIP: $program is missing"; exit 77; }
done

LIMIT=300 run cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$work/pacchetto" >"$work/cpack.log" 2>&1
check "cpack exit" 0 $?
deb=$(ls "$work"/pacchetto/quadrivo_*.deb 2>/dev/null | head -1)
check "package made" "yes" "$([ -f "$deb" ] && echo yes || echo no)"
[ -f "$deb" ] || { cat "$work/cpack.log"; finish; exit 1; }

check "package name" "quadrivo" "$(run dpkg-deb -f "$deb" Package)"
depends=$(run dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins fonts-liberation2; do
    check "depends on $lib" 1 "$(grep -c "$lib" <<<"$depends")"
done
contents=$(run dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/quadrivo ./usr/bin/quadrivo-tool ./usr/bin/quadrivo-tool-stampa \
         ./usr/share/quadrivo/LESSICO.DAT ./usr/share/quadrivo/CRUCINEW.DAT ./usr/share/quadrivo/QDRVTIPS.TXT \
         ./usr/share/quadrivo/QUADRIVO.html ./usr/share/applications/quadrivo.desktop \
         ./usr/share/mime/packages/quadrivo.xml ./usr/share/icons/hicolor/scalable/apps/quadrivo.svg; do
    check "package holds $f" 1 "$(grep -cx -- "$f" <<<"$contents")"
done

# A fresh root with an empty dpkg database; the libraries the programs need
# are the machine's own.
root="$work/radice"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/tmp"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
run dpkg --root="$root" --force-depends --force-not-root --log=/dev/null -i "$deb" >"$work/dpkg.log" 2>&1
check "dpkg installs it" 0 $?
check "dpkg knows it" "install ok installed" "$(run dpkg --root="$root" -s quadrivo 2>/dev/null | sed -n 's/^Status: //p')"

if command -v desktop-file-validate >/dev/null; then
    run desktop-file-validate "$root/usr/share/applications/quadrivo.desktop"; check "desktop entry valid" 0 $?
fi

# The tool runs from the fresh root and finds its data files there.
tool="$root/usr/bin/quadrivo-tool"
run "$tool" --help >/dev/null; check "installed tool starts" 0 $?
words=$(cd "$work" && run "$tool" cerca CAS_ 2>"$work/err")
check "installed tool finds its vocabulary" 0 $?
check "installed vocabulary answers" 1 "$(grep -cx CASA <<<"$words")"
(cd "$work" && run "$tool" esporta "$DATA/esempio.qdr" esempio.ipuz); check "installed tool exports" 0 $?
check "installed export is JSON text" '{' "$(head -c 1 "$work/esempio.ipuz" 2>/dev/null)"
(cd "$work" && run env QT_QPA_PLATFORM=offscreen "$tool" esporta "$DATA/esempio.qdr" pagina.pdf 2>/dev/null)
check "installed tool prints through its helper" "%PDF" "$(head -c 4 "$work/pagina.pdf" 2>/dev/null)"

run dpkg --root="$root" --force-not-root --log=/dev/null -r quadrivo >/dev/null 2>&1
check "dpkg removes it" "no" "$([ -e "$root/usr/bin/quadrivo" ] && echo yes || echo no)"

finish
