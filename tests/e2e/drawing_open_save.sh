#!/usr/bin/env bash
# kvhost opens a DXF drawing, saves it unchanged byte for byte, and keeps its drawing
# when OPEN or SAVEAS fails.
set -euo pipefail
: "${KVHOST:?}" "${KV_MODULE:?}" "${KV_SOURCE_DIR:?}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sample="$KV_SOURCE_DIR/samples/office_floor.dxf"
fail() { echo "FAIL: $*"; echo "--- output:"; cat "$work/out.txt"; exit 1; }

cat > "$work/script.txt" <<SCRIPT
SAVEAS $work/copy.dxf
OPEN $work/missing.dxf
SAVEAS /proc/kvhost-none/x.dxf
SAVE
OPEN $work/copy.dxf
SAVEAS $work/copy2.dxf
QUIT
SCRIPT
"$KVHOST" --module "$KV_MODULE" --script "$work/script.txt" "$sample" > "$work/out.txt" 2>&1 || fail "kvhost exited with $?"

cmp -s "$sample" "$work/copy.dxf" || fail "unchanged drawing not saved byte for byte"
cmp -s "$sample" "$work/copy2.dxf" || fail "reopened copy not saved byte for byte"
grep -q "Drawing not opened: $work/missing.dxf: cannot open the file" "$work/out.txt" || fail "no clear message for a missing file"
grep -q "Drawing not saved: /proc/kvhost-none/x.dxf: cannot write" "$work/out.txt" || fail "no clear message for an unwritable target"
grep -q "Drawing saved to $work/copy.dxf." "$work/out.txt" || fail "SAVE did not save to the current file"

# A drawing that cannot be read is refused at start-up with the file and the line.
printf '  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\nabc\n' > "$work/bad.dxf"
if "$KVHOST" --module "$KV_MODULE" "$work/bad.dxf" < /dev/null > "$work/out.txt" 2>&1; then fail "bad drawing accepted"; fi
grep -q "bad.dxf, line 8: number expected for group code 10" "$work/out.txt" || fail "no file and line for a bad drawing"
echo "ok"
