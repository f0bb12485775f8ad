#!/usr/bin/env bash
# Runs one Windows program under the project's wine prefix (used by ctest).
# wine's own service processes start with the first program and outlive it; they
# inherit its file descriptors, so the program writes to a file of ours, never to
# the caller's pipe, which would otherwise stay open until the services end.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-run: no DISPLAY; run the tests through tools/test.sh" >&2
  exit 1
fi
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
"$(kest_wine_for "$1")" "$@" </dev/null >"$out" 2>&1
rc=$?
cat "$out"
# A test program that dies of a stack overflow can end with status 0 under wine: a test run
# that started but never reported its end has failed.
if [ $rc = 0 ] && grep -q '^\[==========\] Running' "$out" && ! grep -q '^\[==========\] .* ran\.' "$out"; then
  echo "wine-run: $1 ended before its tests finished" >&2
  rc=1
fi
exit $rc
