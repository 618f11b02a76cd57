#!/usr/bin/env bash
# Runs a command inside a private headless desktop session:
# Xvfb, openbox, picom, a session bus, trayer and dunst, each waited for by asking
# the X server or the bus, and stopped in reverse order when the command ends.
#   scripts/session.sh [--no-compositor] [--no-tray] -- command [args...]
# The command sees DISPLAY, DBUS_SESSION_BUS_ADDRESS and ZYN_SESSION_LOG (the stack's log).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZYN_BUILD_DIR:-$root/build}
xwait="$build/bin/zyn-xwait"
compositor=1; tray=1
while [ $# -gt 0 ]; do
  case "$1" in
    --no-compositor) compositor=0; shift ;;
    --no-tray) tray=0; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--no-compositor] [--no-tray] -- command..." >&2; exit 2; }
[ -x "$xwait" ] || { echo "session: $xwait is missing; build first" >&2; exit 2; }

work=$(mktemp -d /tmp/zyn-session.XXXXXX)
log="$work/session.log"
pids=()
cleanup() {
  for ((i=${#pids[@]}-1; i>=0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  for ((i=${#pids[@]}-1; i>=0; i--)); do wait "${pids[i]}" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Xvfb writes its display number on the fd once it is ready; never assume :0 is free.
exec 3> "$work/display"
# The server keeps the memory it frees: by default glibc hands large freed blocks
# back to the system, and the server then faults a window's full-screen pixmap in
# again on every map (15-50 ms per open of a full-screen window here).
GLIBC_TUNABLES=${ZYN_XSERVER_TUNABLES-glibc.malloc.mmap_threshold=67108864:glibc.malloc.trim_threshold=1073741824} \
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -ac +extension XTEST +extension XInputExtension \
  >>"$log" 2>&1 &
pids+=($!)
export ZYN_XSERVER_PID=$! # the benches read the server's own costs from /proc
exec 3>&-
for _ in $(seq 1 500); do
  [ -s "$work/display" ] && break
  kill -0 "${pids[0]}" 2>/dev/null || { cat "$log" >&2; echo "session: Xvfb died" >&2; exit 1; }
  sleep 0.01
done
[ -s "$work/display" ] || { echo "session: Xvfb did not report a display" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
export NO_AT_BRIDGE=1 GDK_BACKEND=x11
unset WAYLAND_DISPLAY

openbox --sm-disable >>"$log" 2>&1 &
pids+=($!)
"$xwait" rootprop _NET_SUPPORTING_WM_CHECK 10000

if [ "$compositor" = 1 ]; then
  picom --backend xrender --config /dev/null >>"$log" 2>&1 &
  pids+=($!)
  "$xwait" selection _NET_WM_CM_S0 10000
fi

bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 --nopidfile)
export DBUS_SESSION_BUS_ADDRESS=$(echo "$bus" | sed -n 1p)
pids+=("$(echo "$bus" | sed -n 2p)")

if [ "$tray" = 1 ]; then
  trayer --edge bottom --align right --widthtype request --height 24 --transparent false >>"$log" 2>&1 &
  pids+=($!)
  "$xwait" selection _NET_SYSTEM_TRAY_S0 10000
fi

dunst >>"$log" 2>&1 &
pids+=($!)
for _ in $(seq 1 500); do
  dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
    string:org.freedesktop.Notifications 2>/dev/null | grep -q 'boolean true' && break
  sleep 0.01
done

export ZYN_SESSION_LOG="$log"
set +e
"$@"
rc=$?
set -e
exit $rc
