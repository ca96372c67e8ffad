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
