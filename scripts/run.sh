#!/usr/bin/env bash
# Sets up and starts Zyn Utils: installs what is missing, builds, assembles the
# application directory (build/app) and runs the program there. With no display
# it starts a private headless desktop session instead, runs the program in it,
# and leaves a screenshot of what it shows in build/screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
export ZYN_BUILD_DIR=${ZYN_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"
app=$ZYN_BUILD_DIR/app

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  cd "$app" && exec ./zyn-utils
fi

echo "No display: running Zyn Utils in a private headless session."
"$root/scripts/session.sh" -- bash -c '
  set -e
  cd "$1"
  ./zyn-utils & pid=$!
  # Ready when the instance says its start is complete, then give the welcome a moment to animate in.
  "$2/bin/zyn-xwait" selection _ZYN_UTILS_READY 15000
  for _ in $(seq 1 100); do sleep 0.02; done
  import -window root "$2/screenshot.png"
  echo "Screenshot: $2/screenshot.png"
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
' run "$app" "$ZYN_BUILD_DIR"
