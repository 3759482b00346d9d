#!/usr/bin/env bash
# The whole job on large drawings against GDAL's converter: kvhost opens a generated drawing,
# runs the extraction wizard from a UI script (every object, counted, with totals, the table
# inserted, an XLS file and a .kvx file written) and saves the drawing; `ogr2ogr -f CSV` converts
# the same file. Each runs three times, alternately; the best time counts (wall, from the shell),
# and the highest peak memory (/usr/bin/time %M). Also the steps of kvhost's best run (kvhost
# --times): opening and saving speed.
#
# usage: bench/whole_job.sh [BUILD=build] [ENTITIES...=200000 1000000]
# The drawings are generated once into $KV_WHOLE_JOB_DIR (default BUILD/whole_job) and kept.
set -euo pipefail
LC_NUMERIC=C  # the shell's clock reads with a decimal point
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
shift || true
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(200000 1000000)
data=${KV_WHOLE_JOB_DIR:-$build/whole_job}
runs=3

if ! command -v ogr2ogr > /dev/null; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "whole_job: installing gdal-bin (ogr2ogr)" >&2
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq gdal-bin > /dev/null ||
    { $SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq gdal-bin > /dev/null; }
fi
for tool in /usr/bin/time /usr/bin/python3 "$build/bin/kvhost" "$build/lib/dataextraction.so"; do
  [ -e "$tool" ] || { echo "whole_job: $tool is missing" >&2; exit 2; }
done

mkdir -p "$data/run"
run=$data/run
# The user's answers: a new extraction of the whole drawing, every kind; layer, maker and
# quantity, identical rows counted, the quantities totalled; the table inserted below the
# floor, the XLS and .kvx files written.
cat > "$run/job.ui" << 'EOF'
click 1
click 1
click 1
cellmenu 1025 0 1 2
item 1025 Layer on
item 1025 MAKER on
item 1025 QUANTITY on
total 1025 QUANTITY on
click 1
click 1031
point 0,-3000
click 1029
file job.xls 2
click 1003
file job.kvx
click 1
EOF
printf 'DATAEXTRACTION\nSAVE\nQUIT\n' > "$run/job.scr"

# Wall time to the millisecond, taken by the shell: time's own %e stops at hundredths, which
# on a job of 0.3 s is a 3% step.
elapsed() { awk "BEGIN { printf \"%.3f\", $2 - $1 }"; }
peak_kb() { awk '{print $1}' "$1"; }
best() { sort -g | head -1; }
highest() { sort -g | tail -1; }
calc() { awk "BEGIN { printf \"$1\", $2 }"; }

declare -A job_best
for n in "${counts[@]}"; do
  drawing=$data/big_$n.dxf
  if [ ! -s "$drawing" ]; then
    echo "whole_job: generating $drawing" >&2
    /usr/bin/python3 "$root/bench/make_big_drawing.py" "$drawing.tmp" "$n" > /dev/null
    mv "$drawing.tmp" "$drawing"
  fi
  size=$(stat -L -c %s "$drawing")
  job_times=(); job_peaks=(); ogr_times=(); ogr_peaks=()
  best_steps=""
  for ((i = 1; i <= runs; i++)); do
    # Each job saves over its own fresh copy; copying is not timed. Nor is writing back what the
    # copy and the converter's last run left to the disk: the job's own save waits for its disk.
    rm -f "$run/job.xls" "$run/job.kvx" "$run/job.dxf"
    cp "$drawing" "$run/job.dxf"
    sync
    start=$EPOCHREALTIME
    (cd "$run" && /usr/bin/time -f "%M" -o "$run/job.time" "$build/bin/kvhost" --times \
      --module "$build/lib/dataextraction.so" --script job.scr --ui-script job.ui job.dxf \
      > "$run/job.out" 2> "$run/job.err") || { cat "$run/job.err" >&2; exit 1; }
    t=$(elapsed "$start" "$EPOCHREALTIME")
    if [ ! -s "$run/job.xls" ] || [ ! -s "$run/job.kvx" ] || ! grep -q "Drawing saved to" "$run/job.out" ||
      grep -v "^kvhost: time of " "$run/job.err" | grep -q .; then
      echo "whole_job: the job did not do all its steps:" >&2
      cat "$run/job.out" "$run/job.err" >&2
      exit 1
    fi
    job_times+=("$t"); job_peaks+=("$(peak_kb "$run/job.time")")
    if [ "$(printf '%s\n' "${job_times[@]}" | best)" = "$t" ]; then best_steps=$(cat "$run/job.err"); fi

    rm -rf "$run/ogr.csv"
    sync
    start=$EPOCHREALTIME
    /usr/bin/time -f "%M" -o "$run/ogr.time" ogr2ogr -f CSV "$run/ogr.csv" "$drawing" 2> "$run/ogr.err" ||
      { cat "$run/ogr.err" >&2; exit 1; }
    ogr_times+=("$(elapsed "$start" "$EPOCHREALTIME")"); ogr_peaks+=("$(peak_kb "$run/ogr.time")")
  done
  job=$(printf '%s\n' "${job_times[@]}" | best)
  ogr=$(printf '%s\n' "${ogr_times[@]}" | best)
  job_peak=$(printf '%s\n' "${job_peaks[@]}" | highest)
  ogr_peak=$(printf '%s\n' "${ogr_peaks[@]}" | highest)
  job_best[$n]="$job $job_peak $size"
  step() { echo "$best_steps" | grep "time of $1" | sed -E 's/.*: ([0-9.]+) s, ([0-9.]+) s processor.*/\1 \2/'; }
  open=$(step "opening"); extract=$(step "DATAEXTRACTION"); save=$(step "SAVE")
  echo "== $n entities: $drawing, $(calc '%.1f' "$size / 1e6") MB (best of $runs, alternately)"
  echo "  whole job (kvhost):  $job s [${job_times[*]}], peak $(calc '%.0f' "$job_peak / 1024") MB = $(calc '%.2f' "$job_peak * 1024 / $size") x the file"
  echo "  ogr2ogr -f CSV:      $ogr s [${ogr_times[*]}], peak $(calc '%.0f' "$ogr_peak / 1024") MB = $(calc '%.2f' "$ogr_peak * 1024 / $size") x the file"
  echo "  whole job / ogr2ogr: $(calc '%.3f' "$job / $ogr")"
  echo "  steps of the best job (wall, processor): opening ${open% *} s, ${open#* } s = $(calc '%.0f' "$size / 1e6 / ${open% *}") MB/s;" \
    "DATAEXTRACTION ${extract% *} s, ${extract#* } s; saving ${save% *} s, ${save#* } s = $(calc '%.2f' "$size / 1e9 / ${save% *}") GB/s"
done

if [ -n "${job_best[200000]:-}" ] && [ -n "${job_best[1000000]:-}" ]; then
  read -r t1 m1 s1 <<< "${job_best[200000]}"
  read -r t5 m5 s5 <<< "${job_best[1000000]}"
  echo "== 1,000,000 against 200,000 entities: $(calc '%.2f' "$t5 / $t1") x the time, file $(calc '%.2f' "$s5 / $s1") x," \
    "peak memory $(calc '%.2f' "$m5 * 1024 / $s5") x its file"
fi
