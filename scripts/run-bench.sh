#!/bin/sh
# Runs the benchmark (bench/): the library's controls against the system's.
#
#   run-bench.sh <64-bit build dir> [qx_bench arguments]
#       The full benchmark in a private X server, for the 64-bit tree and
#       then for the 32-bit tree beside it (where 32-bit programs run here):
#       the themed look, then the classic one, each in its prefix with a warm
#       wineserver. Then both architectures' figures side by side, and the
#       sizes of the DLLs. The output is kept in <build>/bench/: latest.txt
#       (everything), x86_64.txt and i686.txt (each architecture's run).
#   run-bench.sh --program <qx_bench.exe> [qx_bench arguments]
#       One run in WINEPREFIX on the current display with the loader of
#       QX_ARCH (the test suite's quick mode). Passes only when the program
#       exits with 0 AND reports its end: a program that dies half-way can
#       reach the caller as a clean exit.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"

if [ "${1:-}" = --program ]; then
    wine_require_arch
    exe=$2
    shift 2
    log=$(mktemp)
    trap 'rm -f "$log" "$log.rc"' EXIT INT TERM
    # The output shows as it comes; the status is kept aside (a pipe hides it).
    { "$WINE" "$exe" "$@" 2>&1; echo $? >"$log.rc"; } | tee "$log"
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

b32="$(dirname "$b64")/i686"
out="$(dirname "$b64")/bench"
mkdir -p "$out"
result="$out/latest.txt"
: >"$result"
status=0
trees="$b64"
why=$(wine32_missing)
if [ ! -f "$b32/bin/qx_bench.exe" ]; then
    echo "run-bench: no 32-bit run: $b32/bin/qx_bench.exe is not built" | tee -a "$result"
elif [ -n "$why" ]; then
    echo "run-bench: no 32-bit run: $why" | tee -a "$result"
else
    trees="$b64 $b32"
fi
for tree in $trees; do
    wine_use "$(pe_arch "$tree/bin/qx_cntl.dll")"
    arch_out="$out/$QX_ARCH.txt"
    : >"$arch_out"
    (
        wine_lock "$tree/wine" run-bench
        for look in themed classic; do
            prefix="$tree/wine/$look"
            wine_warm "$prefix" "$tree/bin/desktop_ready.exe"
            WINEPREFIX="$prefix" QX_ARCH=$QX_ARCH "$0" --program "$tree/bin/qx_bench.exe" "$@" |
                sed "s/^/[$QX_ARCH] /" | tee -a "$result"
            wine_stop "$prefix"
        done
    )
    sed -n "s/^\[$QX_ARCH\] //p" "$result" >"$arch_out"
    # tee hides the program's status: its summary lines tell.
    [ "$(grep -c '^qx_bench: done' "$arch_out")" -eq 2 ] || status=1
    grep -q '^run-bench: ' "$arch_out" && status=1
done

# The two architectures side by side: each case's figures, 64-bit then 32-bit.
{
    echo
    echo "Both architectures (us per operation, the ratio ours/system, goal met):"
    awk '
        function row(line) { return substr(line, 1, 72) }
        function figures(line,   f) {
            split(substr(line, 73), f, " ")
            return sprintf("%9s %9s %5s %-4s", f[1], f[3], f[5], f[8])
        }
        FNR == 1 { file++ }
        !/^(themed|classic) / || /FAILED/ { next }
        file == 1 { order[++n] = row($0); x64[row($0)] = figures($0) }
        file == 2 { x86[row($0)] = figures($0) }
        END {
            printf "%-72s %-30s | %s\n", "", "x86_64", "i686"
            printf "%-72s %9s %9s %5s %-4s | %9s %9s %5s %s\n", "", "ours us", "system us", "ratio", "met",
                "ours us", "system us", "ratio", "met"
            for (i = 1; i <= n; i++) {
                k = order[i]
                printf "%s %s | %s\n", k, x64[k], (k in x86) ? x86[k] : "(not run)"
            }
        }' "$out/x86_64.txt" "$out/i686.txt" 2>/dev/null
    echo
    echo "DLL sizes (bytes):"
    for dll in "$b32/bin/qx_cntl.dll" "$b32/bin/qx_util.dll" "$b64/bin/qx_cntl.dll" "$b64/bin/qx_util.dll"; do
        [ -f "$dll" ] && printf '  %-60s %8d\n' "$dll" "$(wc -c <"$dll")"
    done
} | tee -a "$result"
echo "The output is in $result"
exit $status
