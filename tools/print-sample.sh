#!/usr/bin/env bash
# Prints a text report through the print-engine host and the Kest printer driver into a work file,
# and lets the driver start the program named by the registry value "Path" with it.
#   tools/print-sample.sh [TEXT-FILE]
# The report defaults to hosts/printhost/sample-report.txt. The program is KEST_PROGRAM (a Windows
# path) when set, else the stand-in that reports the work file it was handed. Work files go to
# C:\KestJobs of the wine prefix. It runs the Release build, as users do.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
REPORT="${1:-$ROOT/hosts/printhost/sample-report.txt}"
REPORT="$(cd "$(dirname "$REPORT")" && pwd)/$(basename "$REPORT")"
BIN="$ROOT/build/x86_64-release/bin"

"$ROOT/tools/build.sh" x86_64 Release >/dev/null
source "$ROOT/tools/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  trap kest_stop_display EXIT
  kest_start_display
fi

program="${KEST_PROGRAM:-Z:${BIN//\//\\}\\kest_program_standin.exe}"
jobs="$WINEPREFIX/drive_c/KestJobs"
mkdir -p "$jobs"
before="$(ls "$jobs")"
report="$(mktemp -u /tmp/kest-standin-XXXXXX.txt)"
export KEST_STANDIN_REPORT="Z:${report//\//\\}"
"$ROOT/tools/wine-run.sh" "$BIN/printhost.exe" -temp='C:\KestJobs' -path="$program" "Z:${REPORT//\//\\}"
after="$(ls "$jobs")"
new="$(comm -13 <(echo "$before" | sort) <(echo "$after" | sort) | grep -i '\.kest$' || true)"
if [ -z "$new" ]; then
  echo "print-sample: no work file was written" >&2
  exit 1
fi
echo "print-sample: work file $jobs/$new"
if [ -z "${KEST_PROGRAM:-}" ]; then
  # The driver does not wait for the program to finish; the stand-in leaves its report behind.
  for _ in $(seq 1 120); do [ -f "$report" ] && break; sleep 0.5; done
  if [ ! -f "$report" ]; then
    echo "print-sample: the stand-in program left no report" >&2
    exit 1
  fi
  sed '1s/^\xEF\xBB\xBF//' "$report"
  rm -f "$report"
fi
