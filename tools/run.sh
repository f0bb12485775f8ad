#!/usr/bin/env bash
# The main job: set up, build what users run (Release, x86_64), make the wine prefix and install
# the Kest printer there with the program's own installer.
# - With a display (DISPLAY set): register the stand-in Excel and Word servers, start KEST.exe on
#   the display, print the sample report through the print host and the driver, and leave the job
#   open in the program for the user to lay a table over the page and convert it. The command
#   returns when the program is closed.
# - Without one: run the whole demonstration on Xvfb (printer, print job, hand-over, a table laid
#   with the mouse, conversion to every target with the stand-in Excel and Word servers) and print
#   the converted text and the paths of the screenshots.
# Whatever fails is named on standard error, and the status is then not 0.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ARCH=x86_64
BUILD="$ROOT/build/$ARCH-release"
BIN="$BUILD/bin"
REPORT="$ROOT/samples/demo-report.txt"

fail() { echo "run: $*" >&2; exit 1; }

"$ROOT/tools/setup.sh" || fail "setting up the machine failed (tools/setup.sh)"
source "$ROOT/tools/wine-env.sh"

if [ -z "${DISPLAY:-}" ]; then
  # Only the demonstration and what it starts (the program, the driver, the print host, the
  # stand-in servers): Release builds leave test programs out unless they are named.
  "$ROOT/tools/build.sh" "$ARCH" Release test_demo || fail "building the demonstration failed"
  log="$(mktemp)"
  trap 'rm -f "$log"; kest_stop_display' EXIT
  kest_start_display >"$log" 2>&1 || { cat "$log" >&2; fail "starting Xvfb or making the wine prefix failed"; }
  out="$BUILD/tests/demo"
  mkdir -p "$out"
  cd "$out"
  status=0
  "$ROOT/tools/wine-run.sh" "$out/test_demo.exe" >"$log" 2>&1 || status=$?
  # The converted table and the screenshots, as host paths.
  awk '/^Converted table/ { shown = 1 } shown && !/^\[/' "$log" | sed 's|Z:\\|/|; s|\\|/|g'
  if [ "$status" != 0 ]; then
    grep -v fixme "$log" >&2 || true
    fail "the demonstration failed (status $status); its output is above"
  fi
  grep -q '^Converted table' "$log" || fail "the demonstration printed no converted table"
  exit 0
fi

"$ROOT/tools/build.sh" "$ARCH" Release KEST printhost kest_officestubs || fail "building the program failed"
kest_make_prefix || fail "making the wine prefix $WINEPREFIX failed"
kest_prefix_fonts
wineserver -p
program="$BIN/KEST.exe"
win_program="Z:${program//\//\\}"
# The stand-in "Excel.Application" and "Word.Application" servers, registered as the demonstration
# registers them (their own DllRegisterServer), so that the first conversion finds "Excel".
stubs="$BUILD/hosts/officestubs/kest_officestubs.dll"
wine64 regsvr32 /s "Z:${stubs//\//\\}" >/dev/null 2>&1 ||
  fail "registering the stand-in Excel and Word servers ($stubs) failed"
# The program's own installer: the printer, its port and the values the driver reads ("Temp",
# "Path"). An installed printer is kept (the installer then reports the existing port).
"$ROOT/tools/wine-run.sh" "$program" /NoUI /InstallPrinter >/dev/null || true
"$(kest_wine_for "$program")" "$program" </dev/null >/dev/null 2>&1 &
kest=$!
# The job goes to the copy started above once its main window is there; a copy still starting
# would not be found and the job would open in a second one.
if ! timeout 120 xdotool search --sync --onlyvisible --name '^Kest$' >/dev/null 2>&1; then
  kill "$kest" 2>/dev/null || true
  fail "KEST.exe ($win_program) showed no main window within 120 s"
fi
# The driver writes the job into the installed job folder and starts the installed program with
# it, which hands it to the copy started above.
"$ROOT/tools/wine-run.sh" "$BIN/printhost.exe" -noregistry "Z:${REPORT//\//\\}" >/dev/null ||
  fail "printing the sample report through the print host failed"
echo "run: KEST.exe ($win_program) shows the printed sample; drag a table over it, then convert."
echo "run: this command returns when the program is closed."
status=0
wait "$kest" || status=$?
[ "$status" = 0 ] || fail "KEST.exe ended with status $status"
