#!/usr/bin/env bash
# Configures and builds Kest: tools/build.sh [i686|x86_64|all] [Debug|Release] [targets...]
# Debug (the tests', with TRACE and ASSERT active) goes to build/<arch>, Release (what users run
# and the benchmark measures) to build/<arch>-release. Named targets (and what they need) are built
# instead of the whole tree; a Release build makes a test program only when it is named.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WHICH="${1:-all}"
CONFIG="${2:-Debug}"
TARGETS=("${@:3}")
case "$WHICH" in all) ARCHES=(i686 x86_64);; i686|x86_64) ARCHES=("$WHICH");;
  *) echo "usage: $0 [i686|x86_64|all] [Debug|Release] [targets...]" >&2; exit 2;; esac
case "$CONFIG" in Debug) SUFFIX="";; Release) SUFFIX="-release";;
  *) echo "usage: $0 [i686|x86_64|all] [Debug|Release] [targets...]" >&2; exit 2;; esac
# Where ccache is installed, several checkouts of the tree share their compiled objects: paths are
# taken relative to each checkout so that the same source hashes alike in all of them.
LAUNCHER=()
if command -v ccache >/dev/null; then
  # The precompiled header is taken as it is: ccache would otherwise refuse every source that uses it.
  export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1 CCACHE_SLOPPINESS=pch_defines,time_macros
  LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
for arch in "${ARCHES[@]}"; do
  dir="$ROOT/build/$arch$SUFFIX"
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$CONFIG" \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-$arch.cmake" "${LAUNCHER[@]}" >/dev/null
  fi
  if [ ${#TARGETS[@]} -gt 0 ]; then
    cmake --build "$dir" --target "${TARGETS[@]}"
  else
    cmake --build "$dir"
  fi
done
