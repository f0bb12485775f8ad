#!/usr/bin/env bash
# The main job: set up, build what users run (Release), then print a sample report through the
# print host and the driver into a work file and hand it to the program.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$ROOT/tools/setup.sh"
"$ROOT/tools/build.sh" all Release
if [ -x "$ROOT/tools/print-sample.sh" ]; then
  exec "$ROOT/tools/print-sample.sh" "$@"
fi
echo "run: the print host is not built yet; built both targets and stopped" >&2
