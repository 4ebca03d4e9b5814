#!/usr/bin/env bash
# Installs what Quadrivo 98 needs from Debian's packages, builds it, then
# starts it ("run", the default) or runs every test ("test").
set -euo pipefail
cd "$(dirname "$0")"

packages=(
  cmake ninja-build g++ pkg-config         # toolchain
  libgtest-dev libbenchmark-dev            # tests and benchmarks
  witalian hunspell-it hunspell-tools      # the words LESSICO.DAT is built from
  mythes-it                                # the thesaurus that ranks them
  qt6-base-dev qt6-qpa-plugins             # the program's windows
  qt6-translations-l10n                    # Qt's own dialogs (printing) in Italian
  fonts-liberation2                        # "Arial" for the grid letters
  xdg-utils                                # opening the help document and links
  libfontconfig-dev                        # the font list asks for all families at once
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get -o DPkg::Lock::Timeout=600 update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y "${missing[@]}"
fi

# The browser test solves an exported page in Debian's chromium, driven by
# puppeteer-core from npm (which never downloads a browser of its own).
case "${1:-run}" in
  test | sanitize)
    web=()
    dpkg-query -W -f='${Status}' chromium 2>/dev/null | grep -q 'ok installed' || web+=(chromium)
    command -v node >/dev/null || web+=(nodejs npm)
    if ((${#web[@]})); then
      sudo=""
      [ "$(id -u)" -eq 0 ] || sudo=sudo
      $sudo apt-get -o DPkg::Lock::Timeout=600 update
      DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y "${web[@]}"
    fi
    (cd tests/browser && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund) ;;
esac

case "${1:-run}" in
  run | test)
    cmake -S . -B build -G Ninja
    cmake --build build ;;
  sanitize)
    # The whole suite again, built with AddressSanitizer and UBSan.
    cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUADRIVO_SANITIZE=ON -DQUADRIVO_BENCH=OFF
    cmake --build build-sanitize ;;
esac

case "${1:-run}" in
  run) exec build/bin/quadrivo ;;
  test)
    ctest --test-dir build --output-on-failure -j2
    sh tests/size.sh ;;
  sanitize)
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
    ctest --test-dir build-sanitize --output-on-failure -j2 ;;
  *) echo "Uso: bash setup.sh [run|test|sanitize]" >&2; exit 2 ;;
esac
