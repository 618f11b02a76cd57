#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds, and runs every test
# (unit, gui, e2e) inside a private headless desktop session; then the unit and
# gui tests again in an AddressSanitizer + UndefinedBehaviorSanitizer build.
#   scripts/test.sh [ctest arguments...]     e.g. scripts/test.sh -L unit
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"

jobs=$(nproc)
export ZYN_BUILD_DIR=$root/build
"$root/scripts/build.sh"

# Tests never touch the user's own settings or autostart folder.
scratch=$(mktemp -d /tmp/zyn-tests.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME=$scratch/config XDG_CACHE_HOME=$scratch/cache XDG_RUNTIME_DIR=$scratch/run
mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

status=0
"$root/scripts/session.sh" -- ctest --test-dir "$ZYN_BUILD_DIR" --output-on-failure -j"$jobs" "$@" || status=$?

if [ $# -eq 0 ] && [ "${ZYN_SKIP_SANITIZE:-}" != 1 ]; then
  export ZYN_BUILD_DIR=$root/build-asan ZYN_SANITIZE=1 ZYN_BUILD_TYPE=Debug
  "$root/scripts/build.sh"
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  "$root/scripts/session.sh" -- ctest --test-dir "$ZYN_BUILD_DIR" --output-on-failure -j"$jobs" -L 'unit|gui' || status=$?
fi
# The XML readers under the fuzzer for a minute each: a crash fails the run.
if [ $# -eq 0 ] && [ "${ZYN_SKIP_FUZZ:-}" != 1 ]; then
  "$root/scripts/fuzz.sh" 60 || status=$?
fi
exit $status
