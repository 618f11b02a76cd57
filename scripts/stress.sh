#!/usr/bin/env bash
# Runs a command while CPU-bound busy loops keep the machine loaded, to show that
# the tests wait for what they check and not for a time that a busy machine exceeds.
#   scripts/stress.sh [-n LOOPS] [-t SECONDS] -- command [args...]
# LOOPS defaults to 8; each loop ends after SECONDS (default 1800) at the latest,
# and every loop is killed as soon as the command ends, however it ends.
# The command's exit status is returned; its duration is printed on stderr.
set -euo pipefail
loops=8
limit=1800
while [ $# -gt 0 ]; do
  case "$1" in
    -n) loops=$2; shift 2 ;;
    -t) limit=$2; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: $0 [-n LOOPS] [-t SECONDS] -- command..." >&2; exit 2; }

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT
trap 'exit 130' INT TERM

for _ in $(seq 1 "$loops"); do
  timeout "$limit" sh -c 'while :; do :; done' &
  pids+=($!)
done

start=$(date +%s)
set +e
"$@"
rc=$?
set -e
echo "stress: $loops busy loops, command ended with $rc after $(( $(date +%s) - start )) s" >&2
exit $rc
