#!/bin/sh
# The getting-started guide shows every file of examples/dialog, under **examples/dialog/x**, as it is.
# Usage: docs-example.sh <source dir> <work folder>
set -eu
src=$1 work=$2
rm -rf "$work"
mkdir -p "$work/examples/dialog"
awk -v out="$work" '
    /^\*\*examples\/dialog\/[^*]+\*\*$/ { name = substr($0, 3, length($0) - 4); next }
    /^```/ {
        if (file != "") { close(file); file = ""; next }
        if (name != "") { file = out "/" name; name = ""; printf "" > file; next }
    }
    file != "" { print > file }' "$src/docs/getting-started.md"
diff -r "$src/examples/dialog" "$work/examples/dialog"
