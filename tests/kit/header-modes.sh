#!/bin/sh
# The public headers compile without a warning as C89, C99, C++98 and C++17,
# with -Wall -Wextra -pedantic, for one MinGW architecture.
# Usage: header-modes.sh <source dir> <work folder> <i686|x86_64>
set -eu
src=$1 work=$2 cpu=$3
mkdir -p "$work"
printf '#include <qx_cntl.h>\n#include <qx_util.h>\n' >"$work/headers.c"
cp "$work/headers.c" "$work/headers.cpp"

failed=0
for mode in c89 c99 c++98 c++17; do
    case $mode in
    c++*) compiler=$cpu-w64-mingw32-g++ file=$work/headers.cpp ;;
    *) compiler=$cpu-w64-mingw32-gcc file=$work/headers.c ;;
    esac
    if "$compiler" -std=$mode -Wall -Wextra -pedantic -Werror -fsyntax-only \
        -I "$src/include" -I "$src/qx_util" "$file"; then
        echo "$cpu $mode: clean"
    else
        echo "$cpu $mode: FAILED"
        failed=1
    fi
done
exit $failed
