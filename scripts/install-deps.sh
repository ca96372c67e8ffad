#!/bin/sh
# Installs the Debian packages the build and the tests need, and nothing when
# everything is already there. Runs apt-get only when a package is missing.
# Where this machine runs 32-bit x86 code, the 32-bit Wine (wine32:i386) is
# added, so that the suite runs the 32-bit DLLs too; where it cannot be had,
# one line says so and the 32-bit tests are skipped.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"

# clang and lld make the kit's import libraries for MSVC-style linkers and
# link the test hosts that prove them.
PKGS="cmake ninja-build g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest \
wine64 fonts-wine xvfb xauth libxcomposite1 libxcursor1 libxi6 libxinerama1 \
clang lld"

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"
}

missing=""
for p in $PKGS; do
    installed "$p" || missing="$missing $p"
done
want32=0
if i386_runs; then
    installed wine32:i386 || want32=1
else
    echo "install-deps: this machine does not run 32-bit x86 code; the 32-bit tests will be skipped"
fi
[ -z "$missing" ] && [ $want32 -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
else
    if [ -n "$missing" ]; then
        echo "install-deps: these packages are missing and this user cannot install them:$missing" >&2
        echo "install-deps: run as root: apt-get install -y --no-install-recommends$missing" >&2
        exit 1
    fi
    echo "install-deps: no 32-bit Wine (run as root: dpkg --add-architecture i386 && apt-get update && apt-get install -y --no-install-recommends wine32:i386); the 32-bit tests will be skipped"
    exit 0
fi
if ! command -v apt-get >/dev/null 2>&1; then
    echo "install-deps: apt-get not found; install by hand:$missing" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt="$SUDO apt-get -o DPkg::Lock::Timeout=600"
# A mirror index that fails to download (seen for foreign architectures) must
# not stop the set-up: one more try, then the installs report what really is
# missing.
update() {
    $apt update || { sleep 5; $apt update; } ||
        echo "install-deps: apt-get update reported errors; trying the install anyway" >&2
}
if [ -n "$missing" ]; then
    echo "install-deps: installing:$missing"
    update
    # Without --no-install-recommends wine64 pulls in the 32-bit wine and
    # hundreds of i386 packages.
    $apt install -y --no-install-recommends $missing
fi
if [ $want32 -eq 1 ]; then
    echo "install-deps: installing the 32-bit Wine (wine32:i386)"
    if dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386; then
        # A fresh architecture needs its index; an old one may be stale.
        update
        $apt install -y --no-install-recommends wine32:i386 ||
            echo "install-deps: wine32:i386 could not be installed; the 32-bit tests will be skipped"
    else
        echo "install-deps: the i386 architecture could not be added; the 32-bit tests will be skipped"
    fi
fi
