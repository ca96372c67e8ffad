#!/bin/sh
# Runs the example built from the kit under Wine in its checking mode: the
# dialog fills itself in, presses OK and prints what it read back; the summary
# line is what its EN_CHANGE handler wrote. QX_ARCH names the program's
# architecture (scripts/wine-common.sh).
# Usage: run-example.sh <dialog.exe>
set -u
here=$(cd "$(dirname "$0")/../../scripts" && pwd)
. "$here/wine-common.sh"
wine_require_arch
raw=$(mktemp) log=$(mktemp)
trap 'rm -f "$raw" "$log"' EXIT INT TERM

# What the program prints is compared; Wine's own messages go to stderr.
"$WINE" "$1" /check </dev/null >"$raw"
rc=$?
tr -d '\r' <"$raw" >"$log"
cat "$log"
expected="ordered: 12 on 2027-03-15
summary: 12 on 2027-03-15"
if [ $rc -ne 0 ]; then
    echo "run-example: the example exited with $rc"
    exit 1
fi
if [ "$(cat "$log")" != "$expected" ]; then
    echo "run-example: expected:"
    echo "$expected"
    exit 1
fi
