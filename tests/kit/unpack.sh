#!/bin/sh
# Unpacks the kit into an empty folder, as a host developer would.
# Usage: unpack.sh <kit zip> <folder> <a DLL of the build the kit must not be older than>
set -eu
zip=$1 dir=$2 built=$3
if [ ! -f "$zip" ] || [ "$zip" -ot "$built" ]; then
    echo "kit: $zip missing or older than $built: run make dist" >&2
    exit 1
fi
rm -rf "$dir"
mkdir -p "$dir"
cd "$dir"
cmake -E tar xf "$zip"
ls "$dir"
