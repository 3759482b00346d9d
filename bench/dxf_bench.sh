#!/usr/bin/env bash
# Load and save of a 200,000-entity drawing: time, MB/s, peak memory, and the ratio of the
# load time to `wc -l` on the same file.  usage: bench/dxf_bench.sh [BUILD=build]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
file=/tmp/kv_bench_200k.dxf
/usr/bin/python3 "$root/bench/make_big_drawing.py" "$file" 200000 > /dev/null
size=$(stat -c %s "$file")
cat "$file" > /dev/null   # warm the page cache for both
start=$(date +%s.%N); wc -l "$file" > /dev/null; end=$(date +%s.%N)
wc_s=$(echo "$end - $start" | bc -l)
# Load alone first, so its peak memory is its own; then save.
load=$(KV_DXF_BENCH_FILE=$file "$build/bin/bench_dxf_load_save" --benchmark_filter=BM_LoadDrawing --benchmark_format=csv 2>/dev/null | grep BM_LoadDrawing)
save=$(KV_DXF_BENCH_FILE=$file "$build/bin/bench_dxf_load_save" --benchmark_filter=BM_Save --benchmark_format=csv 2>/dev/null | grep BM_Save)
echo "file: $file, $(echo "$size / 1000000" | bc -l | cut -c1-6) MB, $(wc -l < "$file") lines"
echo "wc -l: ${wc_s} s"
echo "load (csv: name,iterations,real_time,cpu_time,unit,bytes/s,...): $load"
echo "save: $save"
load_ms=$(echo "$load" | cut -d, -f3)
echo "load / wc -l = $(echo "$load_ms / 1000 / $wc_s" | bc -l | cut -c1-6)"
rm -f "$file"
