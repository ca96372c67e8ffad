#!/bin/sh
# Runs the demo host.
# Usage: run-demo.sh <64-bit build dir> [<32-bit build dir>] [--scale 100|150|200] [--contrast]
#
# With a display (DISPLAY set) the dialog is interactive: the 32-bit demo
# where 32-bit programs run here, the 64-bit one otherwise. Without one, or
# with QX_DEMO_SCRIPTED=1, each architecture's demo runs in a private X
# server, drives a short scripted session through the real input path,
# prints what the host reads back, and writes screenshots of the dialog,
# themed and classic, into build/demo/ (demo-<arch>-<look>.png).
#
# --scale 150 or 200 runs it on a screen of 144 or 192 dpi (the build tree's
# Wine prefix at that DPI; the themed look only), --contrast in high contrast
# (the check box in the dialog switches it too). Their screenshots are named
# demo-<arch>-themed-150.png, demo-<arch>-contrast.png and so on.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"
b64=$(cd "$1" && pwd)
shift
trees=$b64 b32=
if [ $# -gt 0 ] && [ "${1#--}" = "$1" ]; then
    b32=$(cd "$1" && pwd)
    shift
    why=$(wine32_missing)
    if [ -n "$why" ]; then
        echo "qx_demo: no 32-bit demo: $why"
    else
        trees="$b32 $b64"
    fi
fi
out="$(dirname "$b64")/demo"

scale=100 contrast=
while [ $# -gt 0 ]; do
    case $1 in
    --scale) scale=$2; shift 2 ;;
    --contrast) contrast=--contrast; shift ;;
    *) echo "usage: run-demo.sh <64-bit build dir> [<32-bit build dir>] [--scale 100|150|200] [--contrast]" >&2
       exit 2 ;;
    esac
done
case $scale in
100) themed=themed ;;
150) themed=dpi144 ;;
200) themed=dpi192 ;;
*) echo "run-demo.sh: the scale is 100, 150 or 200" >&2; exit 2 ;;
esac

if [ -n "${DISPLAY:-}" ] && [ "${QX_DEMO_SCRIPTED:-0}" != 1 ] && [ "${QX_IN_XVFB:-0}" != 1 ]; then
    tree=${trees%% *}
    wine_use "$(pe_arch "$tree/bin/qx_cntl.dll")"
    echo "qx_demo: opening the $QX_ARCH demo dialog on $DISPLAY"
    exec env WINEPREFIX="$tree/wine/$themed" "$WINE" "$tree/bin/qx_demo.exe" --scale "$scale" $contrast
fi

if [ "${QX_IN_XVFB:-0}" != 1 ]; then
    # A screen as much larger as the scale asks.
    size="$((1280 * scale / 100))x$((1024 * scale / 100))"
    QX_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 ${size}x24 -nolisten tcp" "$0" "$b64" $b32 --scale "$scale" $contrast
fi

mkdir -p "$out"
suffix=
[ "$scale" = 100 ] || suffix="-$scale"
if [ -n "$contrast" ]; then
    looks=contrast
elif [ "$scale" = 100 ]; then
    looks="themed classic"
else
    looks=themed
fi
status=0
for tree in $trees; do
    wine_use "$(pe_arch "$tree/bin/qx_cntl.dll")"
    for look in $looks; do
        prefix="$tree/wine/$themed"
        [ "$look" = classic ] && prefix="$tree/wine/classic"
        png="$out/demo-$QX_ARCH-$look$suffix.png"
        echo "== $QX_ARCH, $look$suffix =="
        wine_stop "$prefix"
        WINEPREFIX="$prefix" "$WINE" "$tree/bin/qx_demo.exe" --scale "$scale" $contrast \
            --script "Z:$(echo "$png" | tr / '\\')" || status=1
        wine_stop "$prefix"
    done
done
[ $status -eq 0 ] && echo "Screenshots are in $out"
exit $status
