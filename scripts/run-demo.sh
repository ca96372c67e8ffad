#!/bin/sh
# Runs the demo host. Usage: run-demo.sh <64-bit build dir> [<32-bit build dir>]
#
# With a display (DISPLAY set) the dialog is interactive: the 32-bit demo
# where 32-bit programs run here, the 64-bit one otherwise. Without one, or
# with QX_DEMO_SCRIPTED=1, each architecture's demo runs in a private X
# server, drives a short scripted session through the real input path,
# prints what the host reads back, and writes screenshots of the dialog,
# themed and classic, into build/demo/ (demo-<arch>-<look>.png).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"
b64=$(cd "$1" && pwd)
trees=$b64
if [ -n "${2:-}" ]; then
    b32=$(cd "$2" && pwd)
    why=$(wine32_missing)
    if [ -n "$why" ]; then
        echo "qx_demo: no 32-bit demo: $why"
    else
        trees="$b32 $b64"
    fi
fi
out="$(dirname "$b64")/demo"

if [ -n "${DISPLAY:-}" ] && [ "${QX_DEMO_SCRIPTED:-0}" != 1 ] && [ "${QX_IN_XVFB:-0}" != 1 ]; then
    tree=${trees%% *}
    wine_use "$(pe_arch "$tree/bin/qx_cntl.dll")"
    echo "qx_demo: opening the $QX_ARCH demo dialog on $DISPLAY"
    exec env WINEPREFIX="$tree/wine/themed" "$WINE" "$tree/bin/qx_demo.exe"
fi

if [ "${QX_IN_XVFB:-0}" != 1 ]; then
    QX_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

mkdir -p "$out"
status=0
for tree in $trees; do
    wine_use "$(pe_arch "$tree/bin/qx_cntl.dll")"
    for look in themed classic; do
        prefix="$tree/wine/$look"
        png="$out/demo-$QX_ARCH-$look.png"
        echo "== $QX_ARCH, $look =="
        wine_stop "$prefix"
        WINEPREFIX="$prefix" "$WINE" "$tree/bin/qx_demo.exe" --script "Z:$(echo "$png" | tr / '\\')" || status=1
        wine_stop "$prefix"
    done
done
[ $status -eq 0 ] && echo "Screenshots are in $out"
exit $status
