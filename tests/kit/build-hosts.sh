#!/bin/sh
# Builds against the unpacked kit alone, through its CMake package: the dialog example (MinGW) and a host taking
# every function the headers declare, by MinGW and by clang for the MSVC target. What a host imports from each DLL
# must be exactly what the DLL exports; the DLLs carry the headers' version in their version resources.
# Usage: build-hosts.sh <unpacked kit> <work folder> <i686|x86_64> <clang>
set -eu
kit=$1 work=$2 cpu=$3 clang=$4
here=$(cd "$(dirname "$0")" && pwd)
case $cpu in i686) arch=x86 machine=i386 ;; *) arch=x64 machine=i386:x86-64 ;; esac
tools=$cpu-w64-mingw32
rm -rf "$work"
mkdir -p "$work"

# A PE file's names, sorted: those it imports from a DLL, or (no DLL named) those it exports.
names_of() {
    "$tools-objdump" -p "$1" | awk -v dll="${2:-}" '
        dll == "" && /^\[Ordinal\/Name Pointer\] Table/ { inside = 1; next }
        dll != "" && /^\tDLL Name: / { inside = (tolower($3) == dll); next }
        inside && /^\tvma:/ { next }
        inside && NF == 0 { inside = 0 }
        inside { print $NF }' | sort
}
names=$(sed -n 's/^QX_\(UTIL_\)\{0,1\}API .*[ *]\([A-Za-z0-9_]*\)(.*/\2/p' \
    "$kit/include/qx_cntl.h" "$kit/include/qx_util.h")
{
    printf '#include <qx_cntl.h>\n#include <qx_util.h>\ntypedef void (*entry)(void);\n'
    printf 'int every_export_taken(void) {\n    entry volatile e = 0;\n'
    for n in $names; do echo "    e = (entry)$n;"; done
    printf '    return e != 0;\n}\n'
} >"$work/every_export.c"

configure() {
    b=$1
    shift
    cmake -G Ninja -B "$work/$b" -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_PREFIX_PATH="$kit" \
        -DCMAKE_C_FLAGS="-Wall -Wextra -Werror" "$@" >"$work/$b.log"
}
configure example -S "$kit/examples/dialog" -DCMAKE_C_COMPILER="$tools-gcc" -DCMAKE_RC_COMPILER="$tools-windres"
configure mingw -S "$here/host" -DCMAKE_C_COMPILER="$tools-gcc" -DHOST_SOURCE="$work/every_export.c"
# lld-link knows no GNU import library: the MSVC host's two user32 functions come from one made here.
dlltool=$(command -v llvm-dlltool || command -v llvm-dlltool-14)
strip='/^LIBRARY/!s/@[0-9]*$//'
[ $arch = x86 ] && strip=
sed "$strip" "$here/host/user32.def" >"$work/user32.def"
"$dlltool" -m $machine -k -d "$work/user32.def" -l "$work/user32.lib"
configure msvc -S "$here/host" -DCMAKE_C_COMPILER="$clang" -DCMAKE_C_COMPILER_TARGET=$cpu-pc-windows-msvc \
    -DSTUB_SDK=ON -DHOST_SOURCE="$work/every_export.c" -DHOST_LIBS="$work/user32.lib" \
    -DCMAKE_EXE_LINKER_FLAGS="-fuse-ld=lld -Wl,/nodefaultlib -Wl,/entry:main" -DCMAKE_C_STANDARD_LIBRARIES=
for b in example mingw msvc; do cmake --build "$work/$b" >>"$work/$b.log" || { cat "$work/$b.log"; exit 1; }; done

failed=0
version=$(sed -n 's/^#define QX_CNTL_VERSION_\(MAJOR\|MINOR\|PATCH\) *\([0-9]*\).*/\2/p' "$kit/include/qx_cntl_version.h")
set -- $version
for dll in qx_cntl qx_util; do
    names_of "$kit/bin/$arch/$dll.dll" >"$work/$dll.exports"
    for host in mingw/host.exe msvc/host.exe example/dialog.exe; do
        names_of "$work/$host" $dll.dll >"$work/imports"
        if [ $host = example/dialog.exe ]; then
            [ -s "$work/imports" ] || [ $dll = qx_util ] || { echo "$host imports nothing from $dll.dll"; failed=1; }
            continue
        fi
        diff "$work/imports" "$work/$dll.exports" || { echo "$host imports (<) and $dll.dll exports (>) differ"; failed=1; }
    done
    cmp "$work/example/$dll.dll" "$kit/bin/$arch/$dll.dll" || { echo "the example's $dll.dll is not the kit's"; failed=1; }
    # The version resources read back: the strings under the language and code page that Translation names.
    "$tools-windres" -i "$kit/bin/$arch/$dll.dll" -O rc >"$work/$dll.rc"
    for line in "FILEVERSION $1, $2, $3, 0" "PRODUCTVERSION $1, $2, $3, 0" "FILETYPE 0x2" \
        "\"FileVersion\", \"$1.$2.$3\"" "\"ProductVersion\", \"$1.$2.$3\"" "\"OriginalFilename\", \"$dll.dll\"" \
        '"Translation", 0x409, 1200' 'BLOCK "040904B0"'; do
        grep -qF "$line" "$work/$dll.rc" || { echo "$arch/$dll.dll: its version resource lacks $line"; failed=1; }
    done
done
[ $failed -eq 0 ] && echo "build-hosts: the $arch hosts bind every export of the kit's DLLs"
exit $failed
