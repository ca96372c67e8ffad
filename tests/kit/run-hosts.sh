#!/bin/sh
# Runs build-hosts.sh's hosts under Wine: the example in its checking mode (the order it read back, then its
# EN_CHANGE handler's summary), and both builds of the host of every export.
# Usage: run-hosts.sh <work folder>
set -u
. "$(dirname "$0")/../../scripts/wine-common.sh"
wine_require_arch
work=$1
"$WINE" "$work/example/dialog.exe" /check </dev/null >"$work/example.out"
rc=$?
out=$(tr -d '\r' <"$work/example.out")
echo "$out"
failed=0
if [ $rc -ne 0 ] || [ "$out" != "ordered: 12 on 2027-03-15
summary: 12 on 2027-03-15" ]; then
    echo "run-hosts: the example exited with $rc; expected it to print the order twice, the summary's copy second"
    failed=1
fi
for host in mingw msvc; do
    cp "$work/example/"*.dll "$work/$host/"
    "$WINE" "$work/$host/host.exe" </dev/null
    rc=$?
    echo "run-hosts: the $host host exited with $rc"
    [ $rc -eq 0 ] || failed=1
done
exit $failed
