#!/bin/sh
# Makes the gallery: pictures of every control in each of its states, with
# visual styles (themed) and without (classic), and of a few states on
# screens of 144 and 192 dpi and in high contrast, from the real DLL in a
# private X server. Usage: run-gallery.sh <64-bit build dir> <output folder>
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"
b64=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
exe="$b64/bin/qx_gallery.exe"

if [ "${QX_IN_XVFB:-0}" != 1 ]; then
    QX_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

status=0
for look in $QX_GALLERY_LOOKS; do
    prefix="$b64/wine/$(gallery_prefix "$look")"
    wine_stop "$prefix"
    WINEPREFIX="$prefix" "$WINE64" "$exe" "Z:$(echo "$out" | tr / '\\')" "$look" || status=1
    wine_stop "$prefix"
done
exit $status
