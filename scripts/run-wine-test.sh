#!/bin/sh
# Runs one GoogleTest program under Wine. Passes only when the program exits
# with 0 AND reports the end of its run: a program that dies half-way can
# reach the caller as a clean exit under Wine.
# Usage: run-wine-test.sh <program.exe> [gtest arguments...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"
log=$(mktemp)
trap 'rm -f "$log"' EXIT INT TERM

"$WINE64" "$@" >"$log" 2>&1
rc=$?
cat "$log"
if [ $rc -ne 0 ]; then
    echo "run-wine-test: the program exited with $rc"
    exit $rc
fi
if ! grep -q '^\[  PASSED  \] [0-9]* test' "$log"; then
    echo "run-wine-test: the program ended without its test summary (crashed?)"
    exit 1
fi
if grep -q '^\[  FAILED  \]' "$log"; then
    echo "run-wine-test: failures reported"
    exit 1
fi
exit 0
