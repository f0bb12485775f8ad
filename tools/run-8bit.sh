#!/usr/bin/env bash
# Runs one Windows test program on a display of 8 bits per pixel: a screen of its own and a
# copy of the wine prefix, whose server then serves only that screen.
# Usage: tools/run-8bit.sh <program.exe> [arguments...]
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
kest_prefix_ready || { echo "run-8bit: no wine prefix yet; run the tests through tools/test.sh" >&2; exit 1; }
work="$(mktemp -d)"
fifo="$work/display"; mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 800x600x8 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
read -r num < "$fifo"
cleanup() {
  WINEPREFIX="$work/prefix" wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# The running server writes its registry to disk only now and then: a value another test changed
# and put back a moment ago (the themes-off run's "ThemeActive") may still stand changed in the
# files copied. The copy takes the value as the server holds it now.
key='HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager'
theme="$(wine64 reg query "$key" /v ThemeActive 2>/dev/null | tr -d '\r' | awk '$1 == "ThemeActive" {print $3}')"
cp -a "$WINEPREFIX" "$work/prefix"
export WINEPREFIX="$work/prefix" DISPLAY=":$num"
if [ -n "$theme" ]; then
  wine64 reg add "$key" /v ThemeActive /t REG_SZ /d "$theme" /f >/dev/null 2>&1
else
  wine64 reg delete "$key" /v ThemeActive /f >/dev/null 2>&1
fi
"$(dirname "${BASH_SOURCE[0]}")/wine-run.sh" "$@"
