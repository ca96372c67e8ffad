#!/bin/sh
# Runs the soak (soak/): every class under a seeded stream of random events.
#
#   run-soak.sh <build dir> [--look themed|classic] [qx_soak arguments]
#       The long soak (200,000 events per class unless --events says): two
#       classes at a time, one in the themed and one in the classic look,
#       each look in its prefix with a warm wineserver and a private X server
#       of its own; the classes alternate between the looks (--share), so
#       each runs once, unless --class names them (then each runs in both).
#       With --look, every class in that look alone (a replay). The
#       program, the DLLs and the prefixes run from copies of the run's own
#       under <build>/soak/, so the tree can be rebuilt, the suite run and a
#       replay made while a soak runs; the output is kept there (<look>.txt).
#   run-soak.sh --program <qx_soak.exe> [qx_soak arguments]
#       One run in WINEPREFIX on the current display with the loader of
#       QX_ARCH (the suite's short pass).
#   run-soak.sh --same-twice <qx_soak.exe> [qx_soak arguments]
#       Two runs of the same arguments must read the same (the digests).
# A run passes only when the program exits with 0 AND reports its end: a
# program that dies half-way can reach the caller as a clean exit.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"

# One run of the program; its output goes to stdout and to $log.
run_once() {
    exe=$1
    shift
    { "$WINE" "$exe" "$@" 2>&1; echo $? >"$log.rc"; } | tee "$log"
    rc=$(cat "$log.rc")
    if [ "$rc" -ne 0 ]; then
        echo "run-soak: qx_soak exited with $rc"
        return 1
    fi
    if ! grep -q '^qx_soak: done' "$log"; then
        echo "run-soak: qx_soak ended without its summary (crashed?)"
        return 1
    fi
}

if [ "${1:-}" = --program ] || [ "${1:-}" = --same-twice ]; then
    wine_require_arch
    mode=$1
    exe=$2
    shift 2
    log=$(mktemp)
    trap 'rm -f "$log" "$log.rc" "$log.first"' EXIT INT TERM
    run_once "$exe" "$@" || exit 1
    [ "$mode" = --program ] && exit 0
    grep 'digest' "$log" | sed 's/.*digest \([0-9a-f]*\).*/\1/' >"$log.first"
    run_once "$exe" "$@" || exit 1
    if ! grep 'digest' "$log" | sed 's/.*digest \([0-9a-f]*\).*/\1/' | cmp -s - "$log.first"; then
        echo "run-soak: the same seed read differently the second time"
        exit 1
    fi
    echo "run-soak: the same seed read the same twice"
    exit 0
fi

set -e
b64=$(cd "$1" && pwd)
shift
wine_use "$(pe_arch "$b64/bin/qx_cntl.dll")"
looks="themed classic"
if [ "${1:-}" = --look ]; then
    looks=$2
    shift 2
fi
case " $* " in *" --events "*) ;; *) set -- --events 200000 "$@" ;; esac

out="$(dirname "$b64")/soak"
mkdir -p "$out"
# One look: a private X server, a warm wineserver, the program.
if [ "${QX_SOAK_LOOK:-}" != "" ]; then
    run=$QX_SOAK_RUN
    prefix="$run/wine/$QX_SOAK_LOOK"
    wine_warm "$prefix" "$b64/bin/desktop_ready.exe"
    log="$run/$QX_SOAK_LOOK.txt"
    status=0
    QX_SOAK_REPLAY="scripts/run-soak.sh $b64 --look $QX_SOAK_LOOK" WINEPREFIX="$prefix" \
        run_once "$run/bin/qx_soak.exe" "$@" || status=1
    rm -f "$log.rc"
    wine_stop "$prefix"
    exit $status
fi
run="$out/run.$$"
trap 'rm -rf "$run"' EXIT INT TERM
mkdir -p "$run/bin" "$run/wine"
cp "$b64/bin/qx_soak.exe" "$b64"/bin/*.dll "$run/bin/"
for look in $looks; do cp -a "$b64/wine/$look" "$run/wine/"; done
count=$(echo $looks | wc -w)
share=0
case " $* " in *" --class "*) count=1 ;; esac
pids=
for look in $looks; do
    shared=
    [ "$count" -gt 1 ] && shared="--share $share/$count"
    share=$((share + 1))
    QX_SOAK_RUN=$run QX_SOAK_LOOK=$look xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$b64" "$@" $shared \
        | sed -u "s/^/[$look] /" &
    pids="$pids $!"
    sleep 5  # xvfb-run -a picks a free display number once its server is up
done
status=0
for pid in $pids; do wait "$pid" || status=1; done
for look in $looks; do
    tail -n 1 "$run/$look.txt" | grep -q '^qx_soak: done: .*nothing found' || status=1
    mv "$run/$look.txt" "$out/"
done
echo "run-soak: the output is in $out/"
exit $status
