#!/usr/bin/env bash
# Builds the targets (Debug) and runs their tests under wine: tools/test.sh [i686|x86_64|all] [ctest args]
# Without ctest args, every suite named in tests/suites.txt must be there and run, or the run fails.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WHICH="${1:-all}"; shift || true
case "$WHICH" in all) ARCHES=(i686 x86_64);; i686|x86_64) ARCHES=("$WHICH");;
  *) echo "usage: $0 [i686|x86_64|all] [ctest args]" >&2; exit 2;; esac
"$ROOT/tools/build.sh" "$WHICH" Debug
source "$ROOT/tools/wine-env.sh"
trap kest_stop_display EXIT
kest_start_display

# The suites ctest knows in a build folder, one per line.
registered_suites() { ctest --test-dir "$1" -N | sed -n 's/^ *Test *#[0-9]*: *//p' | sort; }
expected_suites() { grep -v '^#' "$ROOT/tests/suites.txt" | sed '/^\s*$/d' | sort; }

status=0
for arch in "${ARCHES[@]}"; do
  dir="$ROOT/build/$arch"
  if [ "$arch" = i686 ]; then
    if ! kest_loader_runs_32bit; then
      echo "== tests: i686 built, not run: wine's 32-bit loader does not start here (tools/setup.sh" \
           "registers emulation where it can)"
      continue
    fi
    # wine-run.sh forgives one exit status that only emulation gives (see there).
    if [ -f /proc/sys/fs/binfmt_misc/qemu-i386 ] && grep -q '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386; then
      export KEST_32BIT_EMULATED=1
    fi
  fi
  if ! kest_runs_target "$arch"; then
    echo "== tests: $arch FAILED before any test: its programs do not start in the prefix"
    status=1
    continue
  fi
  echo "== tests: $arch"
  t0=$SECONDS
  ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" "$@" || status=1
  if [ $# = 0 ]; then
    missing="$(comm -23 <(expected_suites) <(registered_suites "$dir"))"
    extra="$(comm -13 <(expected_suites) <(registered_suites "$dir") | grep '^test_' || true)"
    if [ -n "$missing" ]; then
      echo "== tests: $arch FAILED: suites in tests/suites.txt that were not built or registered:" $missing
      status=1
    fi
    if [ -n "$extra" ]; then
      echo "== tests: $arch: suites not named in tests/suites.txt (add them):" $extra
    fi
  fi
  echo "== tests: $arch took $((SECONDS - t0)) s"
done
exit $status
