#!/bin/sh
# Runs ctest in a 64-bit build tree whose tests run under Wine, with a warm
# wineserver per prefix on the current display. Usage: wine-ctest.sh <dir> [ctest args...]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"
b64=$(cd "$1" && pwd)
shift

prefixes=$(for p in "$b64"/wine/*/; do [ -f "$p/.qx-booted" ] && echo "${p%/}"; done)
wine_lock "$b64/wine" wine-ctest
cleanup() { for p in $prefixes; do wine_stop "$p"; done; }
trap cleanup EXIT INT TERM
for p in $prefixes; do wine_warm "$p"; done

jobs=$(nproc 2>/dev/null || echo 2)
ctest --test-dir "$b64" --output-on-failure -j "$jobs" "$@"
