#!/bin/sh
# Every picture docs/ shows is in docs/gallery/, of the size the gallery program (QX_ARCH's) makes now.
# Usage: gallery.sh <source dir> <qx_gallery.exe> <work folder> <wine prefixes folder>
set -u
src=$1 exe=$2 work=$3 prefixes=$4
. "$src/scripts/wine-common.sh"
wine_require_arch
rm -rf "$work"
mkdir -p "$work"
WINEPREFIX="$prefixes/themed" "$WINE" "$exe" "Z:$(echo "$work" | tr / '\\')" themed >"$work/log" 2>&1
rc=$?
cat "$work/log"
grep -q "^gallery: [0-9]* pictures written" "$work/log" && [ $rc -eq 0 ] || { echo "gallery: the program failed"; exit 1; }
failed=0
for name in $(grep -oh 'gallery/[a-z0-9-]*\.png' "$src"/docs/*.md | sort -u); do
    [ -f "$src/docs/$name" ] || { echo "gallery: the manual shows $name, which is missing"; failed=1; }
done
size() { od -An -tx1 -j16 -N8 "$1"; }  # a PNG's width and height
for made in "$work"/*.png; do
    base=$(basename "$made" -themed.png)
    for look in themed classic contrast; do
        kept=$src/docs/gallery/$base-$look.png
        [ -f "$kept" ] && [ "$(size "$kept")" != "$(size "$made")" ] &&
            { echo "gallery: $(basename "$kept") is not of the size made now: run make gallery"; failed=1; }
    done
done
exit $failed
