# Sourced by the scripts that run Wine. Debian's Wine loaders are not on PATH:
# wine64 runs 64-bit programs, wine (from wine32:i386) 32-bit ones, and both
# share the wineserver. QX_ARCH (i686 or x86_64, the default) names the
# architecture of the programs a script runs: $WINE is its loader. A 32-bit
# tree's prefixes are 32-bit ones (WINEARCH=win32).
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
WINESERVER=/usr/lib/wine/wineserver
wine_use() {
    export QX_ARCH=$1
    if [ "$1" = i686 ]; then
        WINE=$WINE32
        export WINEARCH=win32
    else
        WINE=$WINE64
        unset WINEARCH
    fi
}
wine_use "${QX_ARCH:-x86_64}"
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
# test processes neither pay for them nor hold a pipe open. With a build
# tree's desktop_ready.exe as $2, waits until the prefix's desktop takes
# windows: on a loaded machine a fresh prefix's desktop can take seconds to
# come up, and a test program started before it makes no window.
wine_warm() {
    wine_stop "$1"
    WINEPREFIX="$1" setsid "$WINESERVER" -p15 </dev/null >/dev/null 2>&1 &
    if [ -n "${2:-}" ] && [ -f "$2" ]; then
        WINEPREFIX="$1" "$WINE" "$2" </dev/null >/dev/null 2>&1 ||
            echo "wine_warm: the desktop of $1 takes no window"
    else
        WINEPREFIX="$1" "$WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
    fi
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

# Whether this machine executes 32-bit x86 code: a hand-made i386 ELF of 93
# bytes that exits with 42 through the kernel's i386 system call. Some kernels
# refuse every i386 program ("Exec format error"). QX_PRETEND_NO_I386=1 makes
# the probe fail, to try what a machine without i386 support does.
i386_runs() {
    [ "${QX_PRETEND_NO_I386:-0}" = 1 ] && return 1
    probe=$(mktemp)
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000\061\333\263\052\061\300\100\315\200' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null
    rc=$?
    rm -f "$probe"
    [ $rc -eq 42 ]
}

# Prints why 32-bit Windows programs cannot run here, or nothing when they can.
wine32_missing() {
    if ! i386_runs; then
        echo "this machine does not run 32-bit x86 code"
    elif [ ! -x "$WINE32" ]; then
        echo "the 32-bit Wine (wine32:i386) is not installed"
    fi
}

# For the scripts that run one test program: where the programs are 32-bit
# and cannot run here, says why and exits with ctest's skip status (77), or
# fails under QX_REQUIRE_32=1.
wine_require_arch() {
    [ "${QX_ARCH:-x86_64}" = i686 ] || return 0
    why=$(wine32_missing)
    [ -z "$why" ] && return 0
    if [ "${QX_REQUIRE_32:-0}" = 1 ]; then
        echo "32-bit test not run: $why (QX_REQUIRE_32=1)"
        exit 1
    fi
    echo "32-bit test skipped: $why"
    exit 77
}

# The architecture of a PE file (i686 or x86_64), read from its header.
pe_arch() {
    at=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    case $(od -An -tx2 -j$((at + 4)) -N2 "$1" | tr -d ' ') in
    014c) echo i686 ;;
    8664) echo x86_64 ;;
    *) echo unknown ;;
    esac
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
