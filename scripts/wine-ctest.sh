#!/bin/sh
# Runs ctest in a build tree whose tests run under Wine, with a warm
# wineserver per prefix on the current display. The tree's architecture is
# read from its DLL. Usage: wine-ctest.sh <dir> [ctest args...]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"
tree=$(cd "$1" && pwd)
shift
wine_use "$(pe_arch "$tree/bin/qx_cntl.dll")"

# Every prefix the tree's build made (themed, classic, those of other DPIs).
prefixes=$(for p in "$tree"/wine/*/; do [ -f "$p/.qx-booted" ] && echo "${p%/}"; done)
wine_lock "$tree/wine" wine-ctest
why=
[ "$QX_ARCH" = i686 ] && why=$(wine32_missing)
if [ -n "$why" ]; then
    if [ "${QX_REQUIRE_32:-0}" = 1 ]; then
        echo "wine-ctest: $why: the 32-bit programs' tests fail (QX_REQUIRE_32=1)"
    else
        echo "wine-ctest: $why: the 32-bit programs' tests are skipped"
    fi
    prefixes=
fi
cleanup() { for p in $prefixes; do wine_stop "$p"; done; }
trap cleanup EXIT INT TERM
# The prefixes warm up side by side (each desktop's start is mostly waiting).
for p in $prefixes; do wine_warm "$p" "$tree/bin/desktop_ready.exe" & done
wait

jobs=$(nproc 2>/dev/null || echo 2)
ctest --test-dir "$tree" --output-on-failure -j "$jobs" "$@"
