#!/usr/bin/env bash
# Runs a test program with visual styles off: each process reads "ThemeActive" under the
# ThemeManager key when it starts, so the value is set to "0" before the program starts and put
# back as it was when it ends.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../../../tools/wine-env.sh"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager'
old="$(wine64 reg query "$key" /v ThemeActive 2>/dev/null | tr -d '\r' | awk '$1 == "ThemeActive" {print $3}')"
restore() {
  if [ -n "$old" ]; then
    wine64 reg add "$key" /v ThemeActive /t REG_SZ /d "$old" /f >/dev/null 2>&1
  else
    wine64 reg delete "$key" /v ThemeActive /f >/dev/null 2>&1
  fi
}
trap restore EXIT
wine64 reg add "$key" /v ThemeActive /t REG_SZ /d 0 /f >/dev/null 2>&1 || { echo "run-themes-off: cannot set ThemeActive" >&2; exit 1; }
KEST_LOOKS_THEMES=off "$here/../../../tools/wine-run.sh" "$@"
