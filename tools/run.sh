#!/usr/bin/env bash
# The main job: set up, build what users run (Release), make the wine prefix and install the Kest
# printer there with the program's own installer.
# - With a display (DISPLAY set): start KEST.exe on it, print the sample report through the print
#   host and the driver, and leave the job open in the program for the user to lay a table over
#   the page and convert it.
# - Without one: run the whole demonstration on Xvfb (printer, print job, hand-over, a table laid
#   with the mouse, conversion to every target with the stand-in Excel and Word servers) and print
#   the converted text and the paths of the screenshots.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$ROOT/tools/setup.sh"
"$ROOT/tools/build.sh" all Release
BUILD="$ROOT/build/x86_64-release"
BIN="$BUILD/bin"
REPORT="$ROOT/samples/demo-report.txt"
source "$ROOT/tools/wine-env.sh"

if [ -z "${DISPLAY:-}" ]; then
  trap kest_stop_display EXIT
  kest_start_display
  out="$BUILD/tests/demo"
  mkdir -p "$out"
  cd "$out"
  log="$(mktemp)"
  status=0
  "$ROOT/tools/wine-run.sh" "$out/test_demo.exe" >"$log" 2>&1 || status=$?
  # The converted table and the screenshots, as host paths.
  sed -n '/^Converted table/,$p' "$log" | grep -v '^\[' | sed 's|Z:\\|/|; s|\\|/|g'
  if [ $status != 0 ]; then
    grep -v fixme "$log" >&2
    echo "run: the demonstration failed" >&2
  fi
  rm -f "$log"
  exit $status
fi

kest_make_prefix
kest_prefix_fonts
wineserver -p
program="$BIN/KEST.exe"
win_program="Z:${program//\//\\}"
# The program's own installer: the printer, its port and the values the driver reads ("Temp",
# "Path"). An installed printer is kept.
"$ROOT/tools/wine-run.sh" "$program" /NoUI /InstallPrinter || true
"$(kest_wine_for "$program")" "$program" </dev/null >/dev/null 2>&1 &
sleep 8
# The driver writes the job into the installed job folder and starts the installed program with
# it, which hands it to the copy started above.
"$ROOT/tools/wine-run.sh" "$BIN/printhost.exe" -noregistry "Z:${REPORT//\//\\}"
echo "run: KEST.exe ($win_program) shows the printed sample; drag a table over it, then convert."
wait
