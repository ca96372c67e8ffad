#!/bin/sh
# Runs ctest in a 64-bit build tree whose tests run under Wine, with a warm
# wineserver per prefix on the current display. Usage: wine-ctest.sh <dir> [ctest args...]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"
b64=$(cd "$1" && pwd)
shift

prefixes="$b64/wine/themed $b64/wine/classic"
# One run at a time per build tree, and none while a build remakes its
# prefixes (make-prefix.sh takes the same lock): a run that stops or starts
# the servers under another's feet leaves that one's test processes on a
# desktop without a display, where no window can be made.
mkdir -p "$b64/wine"
exec 9>"$b64/wine/.lock"
if ! flock -n 9; then
    echo "wine-ctest: waiting for another run or a build of $b64/wine"
    flock 9
fi
cleanup() { for p in $prefixes; do wine_stop "$p"; done; }
trap cleanup EXIT INT TERM
for p in $prefixes; do wine_warm "$p"; done

jobs=$(nproc 2>/dev/null || echo 2)
ctest --test-dir "$b64" --output-on-failure -j "$jobs" "$@"
