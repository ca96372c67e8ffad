#!/bin/sh
# Runs the whole suite: the 32-bit tree's tests and the 64-bit tree's at the
# same time, each tree under Wine in a private X server of its own (focus,
# the pointer and the clipboard belong to a display, and each tree has its
# own prefixes and wineservers). Each line of output is marked with its
# tree's architecture; each tree's summary follows, then the total.
# Usage: run-tests.sh <32-bit build dir> <64-bit build dir> [ctest args...]
# ("-" for a tree leaves it out)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
b32=$1 b64=$2
shift 2

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT INT TERM
# One tree: its ctest run's output goes to the terminal, marked, and to its
# log; its status to a file (a pipe hides it). The display numbers start
# apart so that the two servers do not race for the same one.
run_tree() {
    arch=$1 tree=$2 display=$3
    shift 3
    {
        rc=0
        xvfb-run -a -n "$display" -s "-screen 0 1280x1024x24 -nolisten tcp" \
            "$here/wine-ctest.sh" "$tree" "$@" 2>&1 || rc=$?
        echo $rc >"$logs/$arch.rc"
    } | tee "$logs/$arch.log" | sed -u "s/^/[$arch] /"
}
archs=
[ "$b32" = - ] || { archs="$archs i686"; run_tree i686 "$b32" 140 "$@" & }
[ "$b64" = - ] || { archs="$archs x86_64"; run_tree x86_64 "$b64" 99 "$@"; }
wait

passed=0 failed=0 skipped=0 status=0
for arch in $archs; do
    echo "== $arch =="
    # ctest's summary: "N% tests passed, F tests failed out of T", the tests
    # that failed or did not run, and the time.
    sed -n '/tests passed, /,$p' "$logs/$arch.log"
    t=$(sed -n 's/.* tests failed out of \([0-9]*\).*/\1/p' "$logs/$arch.log")
    f=$(sed -n 's/.* tests passed, \([0-9]*\) tests failed.*/\1/p' "$logs/$arch.log")
    s=$(grep -c '(Skipped)$' "$logs/$arch.log" || true)
    if [ -z "$t" ]; then
        echo "run-tests: the $arch run ended without ctest's summary"
        status=1
        continue
    fi
    passed=$((passed + t - f - s)) failed=$((failed + f)) skipped=$((skipped + s))
    [ "$(cat "$logs/$arch.rc")" -eq 0 ] || status=1
done
echo "run-tests: the suites of$archs"
echo "suite: $passed passed, $failed failed, $skipped skipped"
exit $status
