# Shared by the tool tests: "check NAME EXPECTED ACTUAL" counts passes and
# failures; "tool ARGS" and "run COMMAND ARGS" end what runs longer than
# LIMIT seconds (60 unless set), and the failure names the command.
set -u
fails=0 passes=0
exec 3>&1
LIMIT=${LIMIT:-60}
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
check() {
    if [ "$2" == "$3" ]; then echo "ok   $1"; passes=$((passes + 1)); else
        echo "FAIL $1"; echo "  expected: $(printf '%q' "$2")"; echo "  actual:   $(printf '%q' "$3")"; fails=$((fails + 1)); fi
}
run() {
    timeout --kill-after=5 "$LIMIT" "$@"
    local status=$?
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        echo "FAIL did not end within $LIMIT s: $*" >&3
        echo "$*" >>"$work/.timeouts"
    fi
    return "$status"
}
tool() { run "$TOOL" "$@"; }
finish() {
    [ -e "$work/.timeouts" ] && fails=$((fails + $(wc -l <"$work/.timeouts")))
    echo "$passes passed, $fails failed"
    [ "$fails" -eq 0 ]
}
