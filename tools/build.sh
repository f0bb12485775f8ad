#!/usr/bin/env bash
# Configures and builds Kest: tools/build.sh [i686|x86_64|all] [Debug|Release]
# Debug (the tests', with TRACE and ASSERT active) goes to build/<arch>, Release (what users run
# and the benchmark measures) to build/<arch>-release.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WHICH="${1:-all}"
CONFIG="${2:-Debug}"
case "$WHICH" in all) ARCHES=(i686 x86_64);; i686|x86_64) ARCHES=("$WHICH");;
  *) echo "usage: $0 [i686|x86_64|all] [Debug|Release]" >&2; exit 2;; esac
case "$CONFIG" in Debug) SUFFIX="";; Release) SUFFIX="-release";;
  *) echo "usage: $0 [i686|x86_64|all] [Debug|Release]" >&2; exit 2;; esac
for arch in "${ARCHES[@]}"; do
  dir="$ROOT/build/$arch$SUFFIX"
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$CONFIG" \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-$arch.cmake" >/dev/null
  fi
  cmake --build "$dir"
done
