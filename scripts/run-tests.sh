#!/bin/sh
# Runs the whole suite: the 32-bit tree's checks (no Wine needed), then the
# 64-bit tree's tests under Wine inside a private X server.
# Usage: run-tests.sh <32-bit build dir> <64-bit build dir> [ctest args...]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
b32=$1 b64=$2
shift 2

ctest --test-dir "$b32" --output-on-failure "$@"
# A private display: the tests never touch the user's screen, and its size
# and depth are the same on every machine.
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$here/wine-ctest.sh" "$b64" "$@"
