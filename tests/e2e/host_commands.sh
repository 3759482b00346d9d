#!/usr/bin/env bash
# kvhost loads the plug-in from its default place, lists its commands and unloads it.
set -euo pipefail
: "${KVHOST:?}" "${KV_BINARY_DIR:?}"
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT

out=$(printf 'COMMANDS\nQUIT\n' | "$KVHOST" 2>&1) || fail "exit status $?"
grep -qx 'Group "KRX_DATA_EXTRACT":' <<<"$out" || fail "group missing: $out"
grep -qx '  DATAEXTRACTION' <<<"$out" || fail "DATAEXTRACTION missing: $out"
grep -qx '  DATAEXTRACTIONUPDATE' <<<"$out" || fail "DATAEXTRACTIONUPDATE missing: $out"

# Commands from a script file: case-insensitive, comments and blank lines skipped, nothing
# after QUIT runs.
cat > "$work/commands.txt" <<'SCRIPT'
# run the command, then look at a variable
dataextraction

getvar luprec
quit
COMMANDS
SCRIPT
out=$("$KVHOST" --module "$KV_BINARY_DIR/lib/dataextraction.so" --script "$work/commands.txt" 2>&1) || fail "script run: $?"
grep -q 'Data extraction v0.8.32 - Starting (1/5)' <<<"$out" || fail "the wizard's first page: $out"
grep -qx 'LUPREC = 4' <<<"$out" || fail "getvar: $out"
grep -q 'Group "KRX' <<<"$out" && fail "a command after QUIT ran: $out"
grep -q 'Unknown command' <<<"$out" && fail "a comment or blank line ran as a command: $out"

# The language decides VERLAN unless it is given.
out=$(printf 'GETVAR VERLAN\n' | "$KVHOST" --lang es 2>&1)
grep -qx 'VERLAN = "es-ES"' <<<"$out" || fail "VERLAN from --lang: $out"
out=$(printf 'GETVAR VERLAN\n' | "$KVHOST" --lang es --verlan fr-FR 2>&1)
grep -qx 'VERLAN = "fr-FR"' <<<"$out" || fail "--verlan: $out"

# Editor input from a UI script.
printf 'point 1.5,2\nobjects cancel\n' > "$work/ui.txt"
out=$(printf 'ID\nSELECT\n' | "$KVHOST" --ui-script "$work/ui.txt" 2>&1) || fail "ui-script run: $?"
grep -qx 'X = 1.5000     Y = 2.0000     Z = 0.0000' <<<"$out" || fail "ID: $out"
grep -qx '\*Cancel\*' <<<"$out" || fail "SELECT cancel: $out"
# --times: one line per step on standard error, none on standard output.
cp "$KV_SOURCE_DIR/samples/office_floor.dxf" "$work/"
out=$(printf 'GETVAR LUPREC\n' | "$KVHOST" --times "$work/office_floor.dxf" 2>"$work/times.txt") ||
  fail "--times run: $?"
grep -q '^kvhost: time of opening .*office_floor.dxf: [0-9.]* s, [0-9.]* s processor, peak [0-9]* MB$' "$work/times.txt" ||
  fail "--times: the opening step: $(cat "$work/times.txt")"
grep -q '^kvhost: time of GETVAR LUPREC: ' "$work/times.txt" || fail "--times: the command: $(cat "$work/times.txt")"
grep -q 'time of' <<<"$out" && fail "--times wrote to standard output: $out"
echo PASS
