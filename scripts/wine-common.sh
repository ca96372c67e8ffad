# Sourced by the scripts that run Wine. Debian's 64-bit Wine is not on PATH.
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG="${WINEDEBUG:--all}"
# Never offer to install Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Stops the wineserver of a prefix (and every Wine process in it).
wine_stop() {
    WINEPREFIX="$1" "$WINESERVER" -k >/dev/null 2>&1 || true
    WINEPREFIX="$1" "$WINESERVER" -w >/dev/null 2>&1 || true
}

# Starts a warm wineserver for a prefix under the current DISPLAY, detached
# from our output pipes, and starts Wine's own system processes once so that
# test processes neither pay for them nor hold a pipe open.
wine_warm() {
    wine_stop "$1"
    WINEPREFIX="$1" setsid "$WINESERVER" -p15 </dev/null >/dev/null 2>&1 &
    WINEPREFIX="$1" "$WINE64" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

# Holds the lock of a build tree's Wine folder (file descriptor 9) until the
# calling script ends, waiting for whoever holds it. Test runs, benchmark
# runs and the build's prefix step take turns this way: one that stops or
# starts the servers under another's feet leaves that one's processes on a
# desktop without a display, where no window can be made.
# Usage: wine_lock <wine folder> <who is waiting>
wine_lock() {
    mkdir -p "$1"
    exec 9>"$1/.lock"
    if ! flock -n 9; then
        echo "$2: waiting for another run or a build of $1"
        flock 9
    fi
}

# The gallery's looks, and the prefix of a build tree's wine/ folder each is
# made in (the themed prefix at 144 and 192 dpi for the larger screens).
QX_GALLERY_LOOKS="themed classic themed-150 themed-200 contrast"
gallery_prefix() {
    case $1 in
    themed-150) echo dpi144 ;;
    themed-200) echo dpi192 ;;
    contrast) echo themed ;;
    *) echo "$1" ;;
    esac
}
