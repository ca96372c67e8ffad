#!/bin/sh
# Makes the Wine prefixes of a build tree:
#   <dir>/themed   the default theme in force
#   <dir>/classic  visual styles off, classic colours and metrics
# Usage: make-prefix.sh <dir> <settings.reg> <classic-theme-tool.exe> <stamp>
# Boots a prefix only once; imports the settings every time they change.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"

dir=$1 reg=$2 tool=$3 stamp=$4
mkdir -p "$dir"
# No display while the prefixes are made: nothing here draws. A server
# started here has no display, so no test may run meanwhile; every server is
# stopped before the lock is let go.
wine_lock "$dir" make-prefix
unset DISPLAY
trap 'wine_stop "$dir/themed"; wine_stop "$dir/classic"' EXIT

boot() {
    p=$1
    if [ ! -f "$p/.qx-booted" ]; then
        rm -rf "$p"
        echo "make-prefix: booting $p"
        WINEPREFIX="$p" "$WINE64" wineboot -i >/dev/null 2>&1
        # Wine does not find its own fonts without this.
        cp /usr/share/wine/fonts/* "$p/drive_c/windows/Fonts/"
        touch "$p/.qx-booted"
    fi
}

settings() {
    p=$1
    WINEPREFIX="$p" "$WINE64" regedit /S "$(winepath_of "$reg")" >/dev/null 2>&1
}

winepath_of() {
    # Z: maps the Unix root.
    echo "Z:$(cd "$(dirname "$1")" && pwd)/$(basename "$1")" | tr / '\\'
}

boot "$dir/themed"
settings "$dir/themed"
wine_stop "$dir/themed"

if [ ! -f "$dir/classic/.qx-booted" ]; then
    rm -rf "$dir/classic"
    cp -a "$dir/themed" "$dir/classic"
fi
settings "$dir/classic"
WINEPREFIX="$dir/classic" "$WINE64" "$(winepath_of "$tool")" >/dev/null 2>&1
wine_stop "$dir/classic"

touch "$stamp"
