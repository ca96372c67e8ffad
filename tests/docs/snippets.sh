#!/bin/sh
# Every C example of the manual compiles without a warning as C89 and links
# against the kit's import library: each ```c block of docs/*.md (but the
# guides that have their own tests, getting-started.md and sdk.md) is one
# translation unit after the two includes every example assumes, linked
# into a DLL of its own, so that each name it calls must be one the DLL
# exports with the argument sizes the header gives.
# Usage: snippets.sh <source dir> <unpacked kit> <work folder> <i686|x86_64>
set -eu
src=$1 kit=$2 work=$3 cpu=$4
case $cpu in
i686) arch=x86 ;;
x86_64) arch=x64 ;;
*) echo "snippets: unknown architecture $cpu" >&2; exit 1 ;;
esac
rm -rf "$work"
mkdir -p "$work"
for page in "$src"/docs/*.md; do
    case $(basename "$page") in getting-started.md | sdk.md) continue ;; esac
    awk -v out="$work" -v page="$(basename "$page" .md)" '
        /^```c$/ { n++; file = sprintf("%s/%s-%d.c", out, page, n);
                   print "#include \"examples.h\"\n#line " NR + 1 " \"" page ".md\"" > file; next }
        /^```/ { if (file != "") close(file); file = ""; next }
        file != "" { print > file }' "$page"
done
# The two includes, compiled once (a precompiled header) for every example.
cc() { "$cpu-w64-mingw32-gcc" -std=c89 -pedantic -Wall -Wextra -Werror -Wno-long-long -I "$kit/include" "$@"; }
printf '#include <windows.h>\n#include <qx_cntl.h>\n' >"$work/examples.h"
cc -x c-header "$work/examples.h" -o "$work/examples.h.gch"
count=0 failed=0
for c in "$work"/*.c; do
    [ -f "$c" ] || continue
    count=$((count + 1))
    if ! cc -shared "$c" -o "${c%.c}.dll" -L "$kit/lib/$arch" -lqx_cntl -lqx_util -lgdi32; then
        echo "snippets: $(basename "$c") does not build"
        failed=1
    fi
done
echo "snippets: $count examples, $cpu"
[ $count -gt 0 ] && [ $failed -eq 0 ]
