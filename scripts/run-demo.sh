#!/bin/sh
# Runs the demo host. Usage: run-demo.sh <64-bit build dir> [--scale 100|150|200] [--contrast]
#
# With a display (DISPLAY set) the dialog is interactive. Without one, or with
# QX_DEMO_SCRIPTED=1, it runs in a private X server, drives a short scripted
# session through the real input path, prints what the host reads back, and
# writes screenshots of the dialog, themed and classic, into build/demo/.
#
# --scale 150 or 200 runs it on a screen of 144 or 192 dpi (the build tree's
# Wine prefix at that DPI; the themed look only), --contrast in high contrast
# (the check box in the dialog switches it too). Their screenshots are named
# demo-themed-150.png, demo-contrast.png, demo-contrast-200.png and so on.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"
b64=$(cd "$1" && pwd)
shift
exe="$b64/bin/qx_demo.exe"
out="$(dirname "$b64")/demo"

scale=100 contrast=
while [ $# -gt 0 ]; do
    case $1 in
    --scale) scale=$2; shift 2 ;;
    --contrast) contrast=--contrast; shift ;;
    *) echo "usage: run-demo.sh <64-bit build dir> [--scale 100|150|200] [--contrast]" >&2; exit 2 ;;
    esac
done
case $scale in
100) themed=themed ;;
150) themed=dpi144 ;;
200) themed=dpi192 ;;
*) echo "run-demo.sh: the scale is 100, 150 or 200" >&2; exit 2 ;;
esac

if [ -n "${DISPLAY:-}" ] && [ "${QX_DEMO_SCRIPTED:-0}" != 1 ] && [ "${QX_IN_XVFB:-0}" != 1 ]; then
    echo "qx_demo: opening the demo dialog on $DISPLAY"
    exec env WINEPREFIX="$b64/wine/$themed" "$WINE64" "$exe" --scale "$scale" $contrast
fi

if [ "${QX_IN_XVFB:-0}" != 1 ]; then
    # A screen as much larger as the scale asks.
    size="$((1280 * scale / 100))x$((1024 * scale / 100))"
    QX_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 ${size}x24 -nolisten tcp" "$0" "$b64" --scale "$scale" $contrast
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
for look in $looks; do
    prefix="$b64/wine/$look"
    [ "$look" = classic ] || prefix="$b64/wine/$themed"
    png="$out/demo-$look$suffix.png"
    echo "== $look$suffix =="
    wine_stop "$prefix"
    WINEPREFIX="$prefix" "$WINE64" "$exe" --scale "$scale" $contrast --script "Z:$(echo "$png" | tr / '\\')" || status=1
    wine_stop "$prefix"
done
[ $status -eq 0 ] && echo "Screenshots are in $out"
exit $status
