#!/bin/sh
# Prints how the tests' size compares with the program's: non-blank lines of
# source (C++, shell, Python, JavaScript, CMake) in tests/ against the
# program's folders. Data files the tests read are not counted, nor
# installed packages. Only reports; always succeeds.
cd "$(dirname "$0")/.." || exit 0
count() {
    find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name '*.py' -o -name '*.js' \
        -o -name '*.mjs' -o -name CMakeLists.txt \) -not -path '*/node_modules/*' -not -path 'tests/data/*' \
        -exec cat {} + | grep -cv '^[[:space:]]*$'
}
program=$(count app document vocabulary fill platform output editor words dialogs tools)
tests=$(count tests)
awk -v p="$program" -v t="$tests" 'BEGIN {
    printf "righe non vuote: programma %d, test %d; test / (test + programma) = %.3f\n", p, t, t / (t + p) }'
