#!/bin/sh
# Runs the benchmark (bench/): the library's controls against the system's.
#
#   run-bench.sh <64-bit build dir> [qx_bench arguments]
#       The full benchmark in a private X server: the themed look, then the
#       classic one, each in its prefix with a warm wineserver; then the
#       sizes of the DLLs. The output is also kept in <build>/bench/latest.txt.
#   run-bench.sh --program <qx_bench.exe> [qx_bench arguments]
#       One run in WINEPREFIX on the current display (the test suite's quick
#       mode). Passes only when the program exits with 0 AND reports its end:
#       a program that dies half-way can reach the caller as a clean exit.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"

if [ "${1:-}" = --program ]; then
    exe=$2
    shift 2
    log=$(mktemp)
    trap 'rm -f "$log" "$log.rc"' EXIT INT TERM
    # The output shows as it comes; the status is kept aside (a pipe hides it).
    { "$WINE64" "$exe" "$@" 2>&1; echo $? >"$log.rc"; } | tee "$log"
    rc=$(cat "$log.rc")
    if [ $rc -ne 0 ]; then
        echo "run-bench: qx_bench exited with $rc"
        exit $rc
    fi
    if ! grep -q '^qx_bench: done' "$log"; then
        echo "run-bench: qx_bench ended without its summary (crashed?)"
        exit 1
    fi
    exit 0
fi

set -e
b64=$(cd "$1" && pwd)
shift
if [ "${QX_IN_XVFB:-0}" != 1 ]; then
    QX_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$b64" "$@"
fi

wine_lock "$b64/wine" run-bench
out="$(dirname "$b64")/bench"
mkdir -p "$out"
result="$out/latest.txt"
: >"$result"
status=0
for look in themed classic; do
    prefix="$b64/wine/$look"
    wine_warm "$prefix"
    WINEPREFIX="$prefix" "$0" --program "$b64/bin/qx_bench.exe" "$@" | tee -a "$result"
    # tee hides the program's status: its summary line tells.
    tail -n 3 "$result" | grep -q '^qx_bench: done' || status=1
    grep -q '^run-bench: ' "$result" && status=1
    wine_stop "$prefix"
done

b32="$(dirname "$b64")/i686"
{
    echo "DLL sizes (bytes):"
    for dll in "$b32/bin/qx_cntl.dll" "$b32/bin/qx_util.dll" "$b64/bin/qx_cntl.dll" "$b64/bin/qx_util.dll"; do
        [ -f "$dll" ] && printf '  %-60s %8d\n' "$dll" "$(wc -c <"$dll")"
    done
} | tee -a "$result"
echo "The output is in $result"
exit $status
