#!/bin/sh
# Builds the kit's dialog example with MinGW through CMake's find_package, in
# an empty folder, with the kit as the only thing it is given. The program
# must end up beside the kit's DLLs of its own architecture.
# Usage: build-example.sh <unpacked kit> <work folder> <i686|x86_64>
set -eu
kit=$1 work=$2 cpu=$3
case $cpu in
i686) arch=x86 ;;
x86_64) arch=x64 ;;
*) echo "build-example: unknown architecture $cpu" >&2; exit 1 ;;
esac
tools=$cpu-w64-mingw32

rm -rf "$work"
cmake -G Ninja -S "$kit/examples/dialog" -B "$work" \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_C_COMPILER="$tools-gcc" \
    -DCMAKE_RC_COMPILER="$tools-windres" -DCMAKE_C_FLAGS="-Wall -Wextra -Werror" \
    -DCMAKE_PREFIX_PATH="$kit"
cmake --build "$work"

format() { "$tools-objdump" -f "$1" | sed -n 's/.*file format //p'; }
program=$(format "$work/dialog.exe")
for dll in qx_cntl.dll qx_util.dll; do
    if ! cmp "$work/$dll" "$kit/bin/$arch/$dll"; then
        echo "build-example: $work/$dll is not the kit's bin/$arch/$dll" >&2
        exit 1
    fi
    if [ "$(format "$work/$dll")" != "$program" ]; then
        echo "build-example: $dll is not of the program's format $program" >&2
        exit 1
    fi
done
if ! "$tools-objdump" -p "$work/dialog.exe" | grep -q "DLL Name: qx_cntl.dll"; then
    echo "build-example: dialog.exe does not import qx_cntl.dll" >&2
    exit 1
fi
