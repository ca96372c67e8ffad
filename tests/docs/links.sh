#!/bin/sh
# Every relative link of the manual (docs/*.md) leads somewhere: the file
# exists (a page, a picture of the gallery, a file of the repository) and,
# for a link to a heading (page.md#heading or #heading), the page has a
# heading with that anchor (GitHub's rule: lower case, punctuation dropped,
# spaces as hyphens).
# Usage: links.sh <source dir>
set -eu
src=$1
anchors() {
    awk '/^```/ { fence = !fence; next }
         !fence && /^#+ / { h = $0; sub(/^#+ /, "", h); h = tolower(h);
                            gsub(/[^a-z0-9 _-]/, "", h); gsub(/ /, "-", h); print h }' "$1"
}
failed=0 count=0
for page in "$src"/docs/*.md; do
    dir=$(dirname "$page")
    for link in $(grep -o '](\([^)#][^)]*\|#[^)]*\))' "$page" | sed 's/^](//; s/)$//' | grep -v '^[a-z]*://' || true); do
        count=$((count + 1))
        file=${link%%#*}
        anchor=
        case $link in *'#'*) anchor=${link#*#} ;; esac
        target=$page
        [ -n "$file" ] && target="$dir/$file"
        if [ ! -e "$target" ]; then
            echo "links: $(basename "$page"): $link: no such file"
            failed=1
        elif [ -n "$anchor" ] && ! anchors "$target" | grep -qx -- "$anchor"; then
            echo "links: $(basename "$page"): $link: no such heading"
            failed=1
        fi
    done
done
echo "links: $count links"
exit $failed
