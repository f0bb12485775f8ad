# Sourced by the scripts that run Windows programs: one wine prefix of our own,
# no downloads of the .NET and HTML engines, no debug noise.
KEST_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$KEST_ROOT/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64
export PATH="/usr/lib/wine:$PATH"   # wineserver lives beside the loaders

# True when this machine's kernel runs 32-bit programs (wine's i386 loader among them).
kest_runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# The loader for a Windows executable: the 64-bit one for PE32+, the 32-bit one otherwise.
kest_wine_for() {
  if file -b "$1" | grep -q 'PE32+'; then echo wine64; else echo wine; fi
}

kest_prefix_ready() { [ -f "$WINEPREFIX/.kest-ready" ]; }

# Creates the prefix once. Under Xvfb there is no window manager: unmanaged
# windows keep hide and destroy from stalling.
kest_make_prefix() {
  kest_prefix_ready && return 0
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wine64 wineboot -i >/dev/null 2>&1
  wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.kest-ready"
}

# Starts one Xvfb for the whole run and a persistent wineserver that keeps it.
kest_start_display() {
  if [ -z "${KEST_XVFB_PID:-}" ]; then
    local fifo; fifo="$(mktemp -u)"; mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    KEST_XVFB_PID=$!
    local num; read -r num < "$fifo"; rm -f "$fifo"
    export DISPLAY=":$num"
    export KEST_XVFB_PID
  fi
  kest_make_prefix
  wineserver -p
}

kest_stop_display() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${KEST_XVFB_PID:-}" ]; then kill "$KEST_XVFB_PID" 2>/dev/null || true; unset KEST_XVFB_PID; fi
}
