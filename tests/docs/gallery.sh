#!/bin/sh
# The gallery program, run for each look in its prefix into a folder of the
# build tree:
# every picture is made, its state checked and the file read back by the
# program itself; then each picture must be the same as its copy in
# docs/gallery/, and no copy there may lack its picture. A difference means
# the committed gallery is out of date: run `make gallery` and commit it.
# Usage: gallery.sh <source dir> <qx_gallery.exe> <work folder> <wine prefixes folder>
set -u
src=$1 exe=$2 work=$3 prefixes=$4
. "$src/scripts/wine-common.sh"
rm -rf "$work"
mkdir -p "$work"
status=0
for look in $QX_GALLERY_LOOKS; do
    if ! WINEPREFIX="$prefixes/$(gallery_prefix "$look")" "$WINE64" "$exe" "Z:$(echo "$work" | tr / '\\')" "$look" >"$work/$look.log" 2>&1; then
        status=1
    fi
    cat "$work/$look.log"
    # Wine may report a program that died half-way as a clean exit.
    grep -q "^gallery: [0-9]* pictures written" "$work/$look.log" || status=1
done
[ $status -eq 0 ] || { echo "docs_gallery: the gallery program failed"; exit 1; }

stale=0
for made in "$work"/*.png; do
    name=$(basename "$made")
    if ! cmp -s "$made" "$src/docs/gallery/$name"; then
        echo "docs_gallery: docs/gallery/$name is missing or differs from what the DLL draws now"
        stale=1
    fi
done
for kept in "$src"/docs/gallery/*.png; do
    name=$(basename "$kept")
    if [ ! -f "$work/$name" ]; then
        echo "docs_gallery: docs/gallery/$name is no longer made"
        stale=1
    fi
done
if [ $stale -ne 0 ]; then
    echo "docs_gallery: run 'make gallery' and commit docs/gallery/"
    exit 1
fi
echo "docs_gallery: $(ls "$work"/*.png | wc -l) pictures, all current"
