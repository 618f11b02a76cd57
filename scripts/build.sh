#!/usr/bin/env bash
# Configures and builds into build/ (or $ZYN_BUILD_DIR); the application directory is build/app.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZYN_BUILD_DIR:-$root/build}
type=${ZYN_BUILD_TYPE:-RelWithDebInfo}
extra=()
[ "${CI:-}" = "true" ] && extra+=(-DZYN_WERROR=ON)
[ -n "${ZYN_SANITIZE:-}" ] && extra+=(-DZYN_SANITIZE=ON)
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="$type" "${extra[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
