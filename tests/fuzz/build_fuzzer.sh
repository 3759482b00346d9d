#!/usr/bin/env bash
# Builds the DXF reader fuzz target with clang, libFuzzer and the sanitizers (objects are
# kept beside the output and rebuilt when their source is newer).
# usage: tests/fuzz/build_fuzzer.sh [OUTPUT]   then   nice -n 19 OUTPUT -max_total_time=600 CORPUS
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/build/fuzz/dxf_reader_fuzz}
objdir=$(dirname "$out")/obj
mkdir -p "$objdir"
flags=(-std=c++20 -g -O1 -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
       -I"$root/platform/kv/include" -I"$root/platform/kv/internal" -I"$root/platform/dxf/include")
objects=()
for src in "$root/tests/fuzz/dxf_reader_fuzz.cpp" "$root"/platform/dxf/*.cpp "$root"/platform/kv/*.cpp; do
  obj="$objdir/$(basename "$(dirname "$src")")_$(basename "$src" .cpp).o"
  objects+=("$obj")
  newer=$(find "$root/platform/dxf" "$root/platform/kv" -name '*.h' -newer "$obj" 2>/dev/null | head -1 || true)
  if [ ! -f "$obj" ] || [ "$src" -nt "$obj" ] || [ -n "$newer" ]; then
    clang++ "${flags[@]}" -c "$src" -o "$obj" &
    while [ "$(jobs -rp | wc -l)" -ge 2 ]; do sleep 0.2; done
  fi
done
wait
clang++ -fsanitize=fuzzer,address,undefined "${objects[@]}" -o "$out"
echo "$out"
