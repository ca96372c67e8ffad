#!/bin/sh
# Builds a host with an MSVC-style toolchain against the kit's import
# libraries of one architecture, checks what it imports, and runs it beside
# the kit's DLLs under Wine (the loader of QX_ARCH): clang for the
# MSVC target compiles it, CMake finds the kit through its package (MSVC
# branch), and lld-link links it with its defaults (for x86, safe exception
# handlers on, as in Visual Studio's release settings), which refuse GNU
# import libraries.
#
# The host takes the address of every function that the kit's headers
# declare, so it imports each of them under the name the header's declaration
# gives (on x86 _Name@N for standard-call functions, Name for cdecl ones; on
# x64 plain names). Each name it imports from qx_cntl.dll and qx_util.dll must
# be one the kit's DLL of that architecture exports, and every export must be
# imported (the headers declare them all). Run, it calls the DLLs
# (msvc/calls.c): it registers the classes, makes a window of one, talks to
# it, and unregisters them.
# MinGW's windows.h does not compile for the MSVC target: msvc/windows.h
# declares the few Windows types the headers use.
#
# Usage: msvc-host.sh <unpacked kit> <work folder> <x86|x64> <clang> <objdump>
set -eu
kit=$1 work=$2 arch=$3 clang=$4 objdump=$5
case $arch in
x86) target=i686-pc-windows-msvc ;;
x64) target=x86_64-pc-windows-msvc ;;
*) echo "msvc-host: unknown architecture $arch" >&2; exit 1 ;;
esac
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"

# Function names, from the declarations' first lines ("QX_API <type> <conv> Name(").
names=$(sed -n 's/^QX_\(UTIL_\)\{0,1\}API .*[ *]\([A-Za-z0-9_]*\)(.*/\2/p' \
    "$kit/include/qx_cntl.h" "$kit/include/qx_util.h")
{
    echo '#include <qx_cntl.h>'
    echo '#include <qx_util.h>'
    echo 'typedef void (*entry)(void);'
    echo 'int every_export_taken(void) {'
    echo '    entry volatile e = 0;'
    for n in $names; do echo "    e = (entry)$n;"; done
    echo '    return e != 0;'
    echo '}'
} >"$work/host.c"

# The two user32 functions the host calls, imported by their plain names
# (x64 knows no @N).
case $arch in x86) machine=i386 ;; x64) machine=i386:x86-64 ;; esac
dlltool=$(command -v llvm-dlltool || command -v llvm-dlltool-14)
if [ $arch = x86 ]; then
    cp "$here/msvc/user32.def" "$work/user32.def"
else
    sed '/^LIBRARY/!s/@[0-9]*$//' "$here/msvc/user32.def" >"$work/user32.def"
fi
"$dlltool" -m $machine -k -d "$work/user32.def" -l "$work/user32.lib"

cmake -G Ninja -S "$here/msvc" -B "$work/build" -DHOST_SOURCE="$work/host.c" -DHOST_LIBS="$work/user32.lib" \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_C_COMPILER="$clang" \
    -DCMAKE_C_COMPILER_TARGET=$target -DCMAKE_C_FLAGS="-Wall -Wextra -Werror" \
    -DCMAKE_EXE_LINKER_FLAGS="-fuse-ld=lld -Wl,/nodefaultlib -Wl,/entry:main" \
    -DCMAKE_C_STANDARD_LIBRARIES= -DCMAKE_PREFIX_PATH="$kit"
cmake --build "$work/build" -v
host=$work/build/host.exe

# Names a PE file imports from one DLL, one a line, sorted.
imports() {
    "$objdump" -p "$1" | awk -v dll="$2" '
        /^\tDLL Name: / { inside = (tolower($3) == dll); next }
        inside && /^\tvma:/ { next }
        inside && NF == 0 { inside = 0 }
        inside { print $NF }' | sort
}
# Names a DLL exports, one a line, sorted.
exports() {
    "$objdump" -p "$1" | awk '
        /^\[Ordinal\/Name Pointer\] Table/ { inside = 1; next }
        inside && NF == 0 { exit }
        inside { print $NF }' | sort
}

failed=0
for dll in qx_cntl qx_util; do
    imports "$host" "$dll.dll" >"$work/$dll.imports"
    exports "$kit/bin/$arch/$dll.dll" >"$work/$dll.exports"
    count=$(wc -l <"$work/$dll.imports")
    echo "host imports $count names from $dll.dll"
    if [ "$count" -eq 0 ]; then
        echo "msvc-host: the host imports nothing from $dll.dll" >&2
        failed=1
    fi
    if ! diff "$work/$dll.imports" "$work/$dll.exports" >"$work/$dll.diff"; then
        echo "msvc-host: imports of the host (<) and exports of bin/$arch/$dll.dll (>) differ:" >&2
        cat "$work/$dll.diff" >&2
        failed=1
    fi
done
[ $failed -eq 0 ] || exit 1

# Run beside the DLLs, as a host ships; its status has a bit for each check
# that failed (msvc/calls.c).
here_scripts=$(cd "$here/../../scripts" && pwd)
. "$here_scripts/wine-common.sh"
wine_require_arch
cp "$kit/bin/$arch/qx_cntl.dll" "$kit/bin/$arch/qx_util.dll" "$work/build/"
rc=0
"$WINE" "$host" </dev/null || rc=$?
if [ $rc -ne 0 ]; then
    echo "msvc-host: the host exited with $rc (a bit for each failed check, msvc/calls.c)" >&2
    exit 1
fi
echo "msvc-host: the $arch host ran and its calls reached the DLLs"
