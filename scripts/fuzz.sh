#!/usr/bin/env bash
# Builds the fuzz targets of the XML readers (libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer, Debian's clang) and runs each for a bounded time on
# its seed corpus; a crash, leak or sanitizer report fails the run.
#   scripts/fuzz.sh [seconds per target, default 60]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
out=${ZYN_FUZZ_DIR:-$root/build-fuzz}
mkdir -p "$out"
cxx=${ZYN_FUZZ_CXX:-/usr/bin/clang++}
flags=(-std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I"$root/include"
       -I"$root/platform/include" $(wx-config --cxxflags base,xml))
libs=($(wx-config --libs base,xml) -lexpat)
core=("$root/src/XmlFile.cpp" "$root/src/RegularFile.cpp" "$root/src/MenuXml.cpp" "$root/src/ZynLog.cpp")
"$cxx" "${flags[@]}" "$root/fuzz/MenuXmlFuzz.cpp" "${core[@]}" "${libs[@]}" -o "$out/menu-xml-fuzz"
"$cxx" "${flags[@]}" "$root/fuzz/ConfigXmlFuzz.cpp" "${core[@]}" "$root/src/FileConfig.cpp" "$root/src/AtomicFile.cpp" \
    "$root/fuzz/FuzzPaths.cpp" "${libs[@]}" -o "$out/config-xml-fuzz"

# Seeds: the project's own files, and inputs at the size limit and past the depth limit.
seeds=$out/seeds
mkdir -p "$seeds/menu" "$seeds/config"
cp "$root"/fuzz/corpus/menu/* "$seeds/menu/" 2>/dev/null || true
cp "$root"/fuzz/corpus/config/* "$seeds/config/" 2>/dev/null || true
cp "$root/data/launcher.xml" "$seeds/menu/default" 2>/dev/null || true
python3 - "$seeds" <<'PY'
import sys
d = sys.argv[1]
deep = "<a>" * 1001 + "</a>" * 1001
big = "<Launcher><name>" + "N" * (16 * 1024 * 1024 - 40) + "</name></Launcher>"
for kind in ("menu", "config"):
    open(f"{d}/{kind}/deep", "w").write(deep)
    open(f"{d}/{kind}/truncated-deep", "w").write("<Launcher>" + "<a>" * 5000)
    open(f"{d}/{kind}/at-limit", "w").write(big)
PY

status=0
for target in menu config; do
  corpus=$out/corpus-$target
  mkdir -p "$corpus"
  echo "Fuzzing the $target reader for $seconds s (log: $out/$target.log)"
  # The readers log every refused input: the log goes to a file, its end is shown on a failure.
  if ! (cd "$out" && ASAN_OPTIONS=detect_leaks=1 "./$target-xml-fuzz" -max_total_time="$seconds" -max_len=17000000 \
      -rss_limit_mb=4096 -timeout=20 -print_final_stats=1 "$corpus" "$seeds/$target") >"$out/$target.log" 2>&1; then
    status=1
    grep -v ' Error: ' "$out/$target.log" | tail -60
  fi
done
exit $status
