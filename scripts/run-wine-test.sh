#!/bin/sh
# Runs one GoogleTest program under Wine (the loader of QX_ARCH). Passes only
# when the program exits with 0 AND reports the end of its run: a program
# that dies half-way can reach the caller as a clean exit under Wine. With
# --plain, a program that is no GoogleTest program passes on its exit status.
# Usage: run-wine-test.sh [--plain] <program.exe> [arguments...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"
wine_require_arch
plain=0
if [ "${1:-}" = --plain ]; then
    plain=1
    shift
fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT INT TERM

"$WINE" "$@" >"$log" 2>&1
rc=$?
cat "$log"
if [ $rc -ne 0 ]; then
    echo "run-wine-test: the program exited with $rc"
    # 77 is ctest's skip: a failing program must not read as one.
    [ $rc -eq 77 ] && exit 1
    exit $rc
fi
[ $plain -eq 1 ] && exit 0
if ! grep -q '^\[  PASSED  \] [0-9]* test' "$log"; then
    echo "run-wine-test: the program ended without its test summary (crashed?)"
    exit 1
fi
if grep -q '^\[  FAILED  \]' "$log"; then
    echo "run-wine-test: failures reported"
    exit 1
fi
exit 0
