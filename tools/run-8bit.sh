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
cp -a "$WINEPREFIX" "$work/prefix"
export WINEPREFIX="$work/prefix" DISPLAY=":$num"
"$(dirname "${BASH_SOURCE[0]}")/wine-run.sh" "$@"
