#!/bin/sh
# Runs the demo host. Usage: run-demo.sh <64-bit build dir>
#
# With a display (DISPLAY set) the dialog is interactive. Without one, or with
# QX_DEMO_SCRIPTED=1, it runs in a private X server, drives a short scripted
# session through the real input path, prints what the host reads back, and
# writes screenshots of the dialog, themed and classic, into build/demo/.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"
b64=$(cd "$1" && pwd)
exe="$b64/bin/qx_demo.exe"
out="$(dirname "$b64")/demo"

if [ -n "${DISPLAY:-}" ] && [ "${QX_DEMO_SCRIPTED:-0}" != 1 ] && [ "${QX_IN_XVFB:-0}" != 1 ]; then
    echo "qx_demo: opening the demo dialog on $DISPLAY"
    exec env WINEPREFIX="$b64/wine/themed" "$WINE64" "$exe"
fi

if [ "${QX_IN_XVFB:-0}" != 1 ]; then
    QX_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

mkdir -p "$out"
status=0
for look in themed classic; do
    prefix="$b64/wine/$look"
    png="$out/demo-$look.png"
    echo "== $look =="
    wine_stop "$prefix"
    WINEPREFIX="$prefix" "$WINE64" "$exe" --script "Z:$(echo "$png" | tr / '\\')" || status=1
    wine_stop "$prefix"
done
[ $status -eq 0 ] && echo "Screenshots are in $out"
exit $status
