#!/usr/bin/env bash
# Builds the targets (Debug) and runs their tests under wine: tools/test.sh [i686|x86_64|all] [ctest args]
# Without ctest args, every suite named in tests/suites.txt must be there and run, or the run fails.
#
# Nearly every suite drives real windows with real input, so the suites of one target take turns on
# their display (ctest's "display" lock) and a target's run is one long queue that leaves the
# machine mostly idle. With "all" the two targets therefore run side by side, each with its own
# Xvfb and its own wine prefix (input, focus and the registry belong to a prefix's wineserver, so
# two targets in one prefix would type into each other's windows). Their output is prefixed with
# the target's name; each target's whole log is kept in build/<arch>/tests.log.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WHICH="${1:-all}"; shift || true
case "$WHICH" in all) ARCHES=(i686 x86_64);; i686|x86_64) ARCHES=("$WHICH");;
  *) echo "usage: $0 [i686|x86_64|all] [ctest args]" >&2; exit 2;; esac
"$ROOT/tools/build.sh" "$WHICH" Debug
source "$ROOT/tools/wine-env.sh"

# The suites ctest knows in a build folder, one per line.
registered_suites() { ctest --test-dir "$1" -N | sed -n 's/^ *Test *#[0-9]*: *//p' | sort; }
expected_suites() { grep -v '^#' "$ROOT/tests/suites.txt" | sed '/^\s*$/d' | sort; }

# Runs one target's suites on a display of its own; returns 1 when anything failed.
run_target() {
  local arch="$1"; shift
  local dir="$ROOT/build/$arch"
  unset KEST_XVFB_PID
  trap kest_stop_display EXIT
  if [ "$arch" = i686 ]; then
    if ! kest_loader_runs_32bit; then
      echo "== tests: i686 built, not run: wine's 32-bit loader does not start here (tools/setup.sh" \
           "registers emulation where it can)"
      return 0
    fi
    # wine-run.sh forgives one exit status that only emulation gives (see there).
    if [ -f /proc/sys/fs/binfmt_misc/qemu-i386 ] && grep -q '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386; then
      export KEST_32BIT_EMULATED=1
    fi
  fi
  kest_start_display
  if ! kest_runs_target "$arch"; then
    echo "== tests: $arch FAILED before any test: its programs do not start in the prefix"
    return 1
  fi
  echo "== tests: $arch"
  local t0=$SECONDS status=0
  ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" "$@" || status=1
  if [ $# = 0 ]; then
    local missing extra
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
  return $status
}

# Runs one target in a subshell of its own (its display and exit trap), its output shown with the
# target's name and kept in its log; the verdict goes to build/<arch>/tests.status, since a
# background pipeline reports nothing to the waiting shell.
run_logged() {
  local arch="$1"; shift
  set +e
  ( run_target "$arch" "$@" ) 2>&1 | tee "$ROOT/build/$arch/tests.log" | sed -u "s/^/[$arch] /"
  echo "${PIPESTATUS[0]}" >"$ROOT/build/$arch/tests.status"
}

if [ ${#ARCHES[@]} = 1 ]; then
  rc=0
  ( run_target "${ARCHES[0]}" "$@" ) 2>&1 | tee "$ROOT/build/${ARCHES[0]}/tests.log" || rc=$?
  exit $rc
fi

# The 32-bit target gets a copy of the prefix, made once: copying is quicker than a second set-up.
base_prefix="$WINEPREFIX"
( kest_start_display >/dev/null; kest_stop_display )
if [ ! -f "$base_prefix-i686/.kest-ready" ]; then
  rm -rf "$base_prefix-i686"
  cp -a "$base_prefix" "$base_prefix-i686"
fi

pids=()
for arch in "${ARCHES[@]}"; do
  rm -f "$ROOT/build/$arch/tests.status"
  prefix="$base_prefix"
  [ "$arch" = i686 ] && prefix="$base_prefix-i686"
  ( export WINEPREFIX="$prefix"; run_logged "$arch" "$@" ) &
  pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid" || true; done
status=0
for arch in "${ARCHES[@]}"; do
  if [ "$(cat "$ROOT/build/$arch/tests.status" 2>/dev/null)" != 0 ]; then
    echo "== tests: $arch FAILED (its whole log: build/$arch/tests.log)"
    status=1
  fi
done
exit $status
