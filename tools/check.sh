#!/usr/bin/env bash
# Sets up the machine, builds both targets, runs every test, then the README's main job headless
# (tools/run.sh without a display: the Release demonstration must print the converted table);
# prints each phase's time.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
phase() { local name="$1"; shift; local t0=$SECONDS rc=0; "$@" || rc=$?; echo "== phase $name: $((SECONDS - t0)) s"; return $rc; }
phase setup "$ROOT/tools/setup.sh"
phase build "$ROOT/tools/build.sh" all
phase test "$ROOT/tools/test.sh" all
phase main-job env -u DISPLAY "$ROOT/tools/run.sh"
