#!/usr/bin/env bash
# Builds both targets and runs every test under wine: tools/test.sh [i686|x86_64|all] [ctest args]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WHICH="${1:-all}"; shift || true
case "$WHICH" in all) ARCHES=(i686 x86_64);; i686|x86_64) ARCHES=("$WHICH");;
  *) echo "usage: $0 [i686|x86_64|all] [ctest args]" >&2; exit 2;; esac
"$ROOT/tools/build.sh" "$WHICH"
source "$ROOT/tools/wine-env.sh"
trap kest_stop_display EXIT
kest_start_display
status=0
for arch in "${ARCHES[@]}"; do
  if [ "$arch" = i686 ] && ! kest_runs_32bit; then
    echo "== tests: i686 built, not run: this machine's kernel does not execute 32-bit programs"
    continue
  fi
  echo "== tests: $arch"
  ctest --test-dir "$ROOT/build/$arch" --output-on-failure -j "$(nproc)" "$@" || status=1
done
exit $status
