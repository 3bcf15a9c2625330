#!/usr/bin/env bash
# The command line of the program and the tools with no display at all: --help and
# --version print and exit 0, a wrong option prints one line and exits 2.
# Arguments: the korvo, pskcore-decode and pskcore-encode executables.
set -u
korvo=$1
tools=("$2" "$3")
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
failures=0

# expect STATUS STREAM LINES PATTERN -- COMMAND...: the exit status, then on stdout or
# stderr at least (or exactly, for 1) LINES lines matching PATTERN.
expect() {
    local status=$1 stream=$2 lines=$3 pattern=$4
    shift 5
    local out err code
    out=$(mktemp) err=$(mktemp)
    timeout 20 "$@" >"$out" 2>"$err"
    code=$?
    local text=$out
    [ "$stream" = stderr ] && text=$err
    local count
    count=$(wc -l <"$text")
    if [ "$code" -ne "$status" ] || ! grep -q -- "$pattern" "$text" \
        || { [ "$lines" -eq 1 ] && [ "$count" -ne 1 ]; } || [ "$count" -lt "$lines" ]; then
        echo "FAIL: $* -> status $code (expected $status), $stream:"
        cat "$text"
        failures=$((failures + 1))
    else
        echo "ok: $*"
    fi
    rm -f "$out" "$err"
}

expect 0 stdout 5 '--settings <' -- "$korvo" --help
expect 0 stdout 1 '^korvo [0-9]' -- "$korvo" --version
expect 2 stderr 1 'bogus' -- "$korvo" --bogus
expect 2 stderr 1 'settings' -- "$korvo" --demo --settings
for tool in "${tools[@]}"; do
    expect 0 stdout 1 "^$(basename "$tool") (Korvo) [0-9]" -- "$tool" --version
done
exit $((failures > 0))
