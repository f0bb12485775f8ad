# Sourced by the scripts that run Windows programs: one wine prefix of our own,
# no downloads of the .NET and HTML engines, no debug noise.
KEST_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$KEST_ROOT/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# A crashing program ends at once instead of waiting for a debugger that nobody attends.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winedbg.exe=d}"
export WINEARCH=win64
export PATH="/usr/lib/wine:$PATH"   # wineserver lives beside the loaders

# True when wine's 32-bit loader starts: the kernel runs 32-bit programs, or emulation does
# (tools/setup.sh registers it). Says nothing yet about the prefix; see kest_runs_target.
kest_loader_runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# True when the prefix has its 32-bit half; one made while the loader could not start has none.
kest_prefix_has_32bit() { [ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; }

# True when a real program of the target starts in the prefix and reports (build/<arch>/bin/
# kest_probe.exe, which the build makes); says why not on standard error otherwise. Called
# directly, never in $(...): a subshell would run the caller's exit trap and stop the display.
kest_runs_target() {
  local probe="$KEST_ROOT/build/$1/bin/kest_probe.exe"
  if [ ! -f "$probe" ]; then
    echo "no $probe: build the $1 target first" >&2
    return 1
  fi
  local out rc=0
  out="$(mktemp)"
  "$(kest_wine_for "$probe")" "$probe" </dev/null >"$out" 2>&1 || rc=$?
  if [ $rc = 0 ] && grep -q '^kest_probe: ' "$out"; then
    rm -f "$out"
    return 0
  fi
  echo "$probe did not start (status $rc): $(head -c 300 "$out")" >&2
  rm -f "$out"
  return 1
}

# The loader for a Windows executable: the 64-bit one for PE32+, the 32-bit one otherwise.
kest_wine_for() {
  if file -b "$1" | grep -q 'PE32+'; then echo wine64; else echo wine; fi
}

# Ready when made, and made with its 32-bit half wherever the 32-bit loader starts now.
kest_prefix_ready() {
  [ -f "$WINEPREFIX/.kest-ready" ] || return 1
  if ! kest_prefix_has_32bit && kest_loader_runs_32bit; then
    echo "wine-env: the prefix $WINEPREFIX was made without its 32-bit half; making it again" >&2
    return 1
  fi
}

# Creates the prefix once. Under Xvfb there is no window manager: unmanaged
# windows keep hide and destroy from stalling.
kest_make_prefix() {
  kest_prefix_ready && return 0
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wine64 wineboot -i >/dev/null 2>&1
  wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
  if kest_loader_runs_32bit && ! kest_prefix_has_32bit; then
    echo "wine-env: the new prefix has no 32-bit half although the 32-bit loader starts" >&2
  fi
  touch "$WINEPREFIX/.kest-ready"
}

# wine's own fonts (package fonts-wine: Marlett draws caption buttons, Tahoma is the dialog font)
# lie where this wine does not look for them: the prefix's Fonts folder gets a copy.
KEST_WINE_FONTS=/usr/share/wine/fonts
kest_prefix_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font copied=()
  [ -d "$KEST_WINE_FONTS" ] && [ -d "$fonts" ] || return 0
  for font in "$KEST_WINE_FONTS"/*.ttf; do
    [ -f "$font" ] || continue
    if [ ! -f "$fonts/$(basename "$font")" ]; then
      cp "$font" "$fonts/" && copied+=("$(basename "$font")")
    fi
  done
  if [ ${#copied[@]} -gt 0 ]; then echo "wine-env: fonts copied into the prefix: ${copied[*]}" >&2; fi
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
  kest_prefix_fonts
  wineserver -p
}

kest_stop_display() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${KEST_XVFB_PID:-}" ]; then kill "$KEST_XVFB_PID" 2>/dev/null || true; unset KEST_XVFB_PID; fi
}
