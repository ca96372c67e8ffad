#!/bin/sh
# Installs the Debian packages the build and the tests need, and nothing when
# everything is already there. Runs apt-get only when a package is missing.
set -eu

# clang and lld make the kit's import libraries for MSVC-style linkers and
# link the test host that proves them.
PKGS="cmake ninja-build g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest \
wine64 fonts-wine xvfb xauth libxcomposite1 libxcursor1 libxi6 libxinerama1 \
clang lld"

missing=""
for p in $PKGS; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

echo "install-deps: installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
else
    echo "install-deps: these packages are missing and this user cannot install them:$missing" >&2
    echo "install-deps: run as root: apt-get install -y --no-install-recommends$missing" >&2
    exit 1
fi
if ! command -v apt-get >/dev/null 2>&1; then
    echo "install-deps: apt-get not found; install by hand:$missing" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
# A mirror index that fails to download (seen for foreign architectures) must
# not stop the set-up; the install below reports what really is missing.
$SUDO apt-get update || echo "install-deps: apt-get update reported errors; trying the install anyway" >&2
# Without --no-install-recommends wine64 pulls in the 32-bit wine and
# hundreds of i386 packages.
$SUDO apt-get install -y --no-install-recommends $missing
