#!/usr/bin/env bash
# Configures and builds Kest for one or both targets: tools/build.sh [i686|x86_64|all]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WHICH="${1:-all}"
case "$WHICH" in all) ARCHES=(i686 x86_64);; i686|x86_64) ARCHES=("$WHICH");;
  *) echo "usage: $0 [i686|x86_64|all]" >&2; exit 2;; esac
for arch in "${ARCHES[@]}"; do
  dir="$ROOT/build/$arch"
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-$arch.cmake" >/dev/null
  fi
  cmake --build "$dir"
done
