#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds, and runs every test
# (unit, gui, e2e) inside a private headless desktop session; then the unit and
# gui tests again in an AddressSanitizer + UndefinedBehaviorSanitizer build that
# also fails on a leak.
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
  # A leak fails the run; tests/lsan.supp names the libraries' own.
  export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  checks=detect_leaks=1:abort_on_error=1
  ASAN_OPTIONS=$checks "$root/scripts/session.sh" -- \
    ctest --test-dir "$ZYN_BUILD_DIR" --output-on-failure -j"$jobs" -L unit || status=$?
  # The gui tests allocate through the toolkit's libraries, built without frame
  # pointers: the full unwind at each allocation gives the suppressions the names
  # of their functions to match (too slow for the unit tests' large files, which
  # need none).
  ASAN_OPTIONS=$checks:fast_unwind_on_malloc=0 "$root/scripts/session.sh" -- \
    ctest --test-dir "$ZYN_BUILD_DIR" --output-on-failure -j"$jobs" -L gui || status=$?
fi
# The XML readers under the fuzzer for a minute each: a crash fails the run.
if [ $# -eq 0 ] && [ "${ZYN_SKIP_FUZZ:-}" != 1 ]; then
  "$root/scripts/fuzz.sh" 60 || status=$?
fi
exit $status
