#!/bin/sh
# Every function the public headers declare is named in docs/README.md and declared in a chapter.
# Usage: index.sh <source dir>
set -eu
src=$1
names=$(sed -n 's/^\(QX_API\|QX_UTIL_API\)[^(]* \([A-Za-z_0-9]*\)(.*/\2/p' "$src/include/qx_cntl.h" "$src/qx_util/qx_util.h")
[ -n "$names" ] || { echo "index: no functions found in the headers"; exit 1; }
failed=0 count=0
for name in $names; do
    count=$((count + 1))
    grep -qw "$name" "$src/docs/README.md" || { echo "index: $name is not in docs/README.md"; failed=1; }
    grep -q "\(WINAPI\|__cdecl\) \**$name(" $(ls "$src"/docs/*.md | grep -v '/README\.md$') ||
        { echo "index: no chapter declares $name"; failed=1; }
done
echo "index: $count functions"
exit $failed
