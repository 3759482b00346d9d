#!/usr/bin/env bash
# The main job: a furniture schedule from the sample office floor. kvhost runs
# DATAEXTRACTION with the bundled user-interface script (block references only; name,
# maker and price, counted), inserts the table beside the floor, writes furniture.xls and
# furniture.kvx, and saves the drawing as a copy; the sample itself is never written.
set -euo pipefail
BUILD=${1:-build}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "$BUILD" && pwd)
OUT="$BUILD/sample"
mkdir -p "$OUT"
rm -f "$OUT/furniture.xls" "$OUT/furniture.kvx" "$OUT/office_floor_schedule.dxf"
printf 'DATAEXTRACTION\nSAVEAS office_floor_schedule.dxf\n' > "$OUT/commands.scr"
cd "$OUT"
"$BUILD/bin/kvhost" --module "$BUILD/lib/dataextraction.so" --lang en \
    --script "$OUT/commands.scr" --ui-script "$ROOT/samples/furniture_schedule.ui" \
    "$ROOT/samples/office_floor.dxf"
echo
echo "Written in $OUT:"
ls -l furniture.xls furniture.kvx office_floor_schedule.dxf
