#!/bin/sh
# The manual's pictures: every picture a page of docs/ shows is in
# docs/gallery/, and those of a screen of 96 dpi (themed, classic, contrast)
# have the size the gallery program gives them now (it is run in the themed
# look, checking each control's state and reading each picture back itself),
# in the architecture QX_ARCH names: the 32-bit program draws with the
# 32-bit DLL the same pictures.
# `make gallery` makes them anew.
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
# Wine may report a program that died half-way as a clean exit.
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
        if [ -f "$kept" ] && [ "$(size "$kept")" != "$(size "$made")" ]; then
            echo "gallery: $(basename "$kept") is not of the size made now: run make gallery"
            failed=1
        fi
    done
done
exit $failed
