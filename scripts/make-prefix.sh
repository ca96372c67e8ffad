#!/bin/sh
# Makes the Wine prefixes of a build tree:
#   <dir>/themed   the default theme in force
#   <dir>/classic  visual styles off, classic colours and metrics
#   <dir>/dpi<n>   the themed prefix at a system DPI of n, for each n given
# Usage: make-prefix.sh <dir> <settings.reg> <classic-theme-tool.exe> <stamp> [dpi...]
# Boots a prefix only once; imports the settings every time they change. The
# prefixes are of the tool's architecture (a 32-bit tree's are 32-bit ones).
# Where 32-bit programs cannot run, says so and makes none (the 32-bit tests
# are then skipped); the stamp is not written, so a later build tries again.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
dir=$1 reg=$2 tool=$3 stamp=$4
shift 4
. "$here/wine-common.sh"
wine_use "$(pe_arch "$tool")"
if [ "$QX_ARCH" = i686 ]; then
    why=$(wine32_missing)
    if [ -n "$why" ]; then
        echo "make-prefix: no 32-bit prefixes: $why; the 32-bit tests will be skipped"
        exit 0
    fi
fi
mkdir -p "$dir"
# No display while the prefixes are made: nothing here draws. A server
# started here has no display, so no test may run meanwhile; every server is
# stopped before the lock is let go.
wine_lock "$dir" make-prefix
unset DISPLAY
trap 'for p in "$dir"/*/; do wine_stop "$p"; done' EXIT

boot() {
    p=$1
    if [ ! -f "$p/.qx-booted" ]; then
        rm -rf "$p"
        echo "make-prefix: booting $p"
        WINEPREFIX="$p" "$WINE" wineboot -i >/dev/null 2>&1
        # Wine does not find its own fonts without this.
        cp /usr/share/wine/fonts/* "$p/drive_c/windows/Fonts/"
        touch "$p/.qx-booted"
    fi
}

settings() {
    p=$1
    WINEPREFIX="$p" "$WINE" regedit /S "$(winepath_of "$reg")" >/dev/null 2>&1
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
WINEPREFIX="$dir/classic" "$WINE" "$(winepath_of "$tool")" >/dev/null 2>&1
wine_stop "$dir/classic"

# A prefix at another system DPI shares the themed prefix's files through
# hard links (nothing of a test writes them), all but the registry and the
# .ini files, which Wine rewrites: those are copies of its own.
for n in "$@"; do
    p="$dir/dpi$n"
    if [ ! -f "$p/.qx-booted" ]; then
        rm -rf "$p"
        cp -al "$dir/themed" "$p"
        find "$p" \( -name '*.reg' -o -name '*.ini' \) -type f -exec sh -c 'cp "$1" "$1.copy" && mv "$1.copy" "$1"' sh {} \;
    fi
    settings "$p"
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:%08x\r\n\r\n' "$n" >"$dir/dpi$n.reg"
    WINEPREFIX="$p" "$WINE" regedit /S "$(winepath_of "$dir/dpi$n.reg")" >/dev/null 2>&1
    wine_stop "$p"
done

touch "$stamp"
