#!/bin/sh
# The kit's headers compile without a warning as C++98 and C++17, and each ```c block of docs/*.md
# (but getting-started.md and sdk.md, tested with the kit) as C89 -pedantic.
# Usage: snippets.sh <source dir> <unpacked kit> <work folder> <i686|x86_64>
set -eu
src=$1 kit=$2 work=$3 cpu=$4
rm -rf "$work"
mkdir -p "$work"
flags="-Wall -Wextra -Werror -pedantic -I $kit/include"
printf '#define WIN32_LEAN_AND_MEAN\n#include <qx_cntl.h>\n#include <qx_util.h>\n' >"$work/headers.h"
for std in c++98 c++17; do
    "$cpu-w64-mingw32-g++" -std=$std $flags -fsyntax-only -x c++ "$work/headers.h" || { echo "snippets: the headers as $std"; exit 1; }
done
printf '#include <windows.h>\n#include <qx_cntl.h>\n#include <qx_util.h>\n' >"$work/examples.h"
for page in "$src"/docs/*.md; do
    case $(basename "$page") in getting-started.md | sdk.md) continue ;; esac
    awk -v out="$work" -v page="$(basename "$page" .md)" '
        /^```c$/ { n++; file = sprintf("%s/%s-%d.c", out, page, n);
                   print "#include \"examples.h\"\n#line " NR + 1 " \"" page ".md\"" > file; next }
        /^```/ { if (file != "") close(file); file = ""; next }
        file != "" { print > file }' "$page"
done
cc="$cpu-w64-mingw32-gcc -std=c89 -Wno-long-long $flags"
$cc -x c-header "$work/examples.h" -o "$work/examples.h.gch"
count=$(ls "$work"/*.c | wc -l)
$cc -fsyntax-only "$work"/*.c
echo "snippets: the headers and $count examples, $cpu"
