#!/usr/bin/env bash
# Bad input to kvhost: one clear line each, a failure status where the run cannot go on,
# and never a crash.
set -uo pipefail
: "${KVHOST:?}" "${KV_BINARY_DIR:?}"
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT

# expect STATUS EXPECTED-STDERR-LINE -- ARGS...  (commands on stdin from $commands)
commands=""
expect() {
  local status=$1 message=$2; shift 3
  printf '%b' "$commands" | "$KVHOST" "$@" >"$work/out" 2>"$work/err"
  local rc=$?
  [ "$rc" -eq "$status" ] || fail "status $rc, expected $status for $*: $(cat "$work/err")"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "expected one line on stderr for $*: $(cat "$work/err")"
  [ "$(cat "$work/err")" = "$message" ] || fail "message for $*: $(cat "$work/err")"
}

commands='COMMANDS\n'
missing="$work/absent.so"
expect 2 "kvhost: cannot load module \"$missing\": no such file" -- --module "$missing"
noentry="$KV_BINARY_DIR/lib/testmodules/kvtest_no_entry_points.so"
expect 2 "kvhost: \"$noentry\" is not a plug-in module: it does not export kvrxEntryPoint and kvrxGetApiVersion" -- --module "$noentry"
old="$KV_BINARY_DIR/lib/testmodules/kvtest_wrong_version.so"
expect 2 "kvhost: \"$old\" is built for host interface version 0x07E0000B, this host offers 0x07E0000C" -- --module "$old"
expect 2 "kvhost: --script: cannot read \"$work/none.txt\"" -- --script "$work/none.txt"
expect 2 "kvhost: --ui-script: cannot read \"$work/none.txt\"" -- --ui-script "$work/none.txt"
expect 2 "kvhost: $work/plan.dxf: cannot open the file (No such file or directory)" -- "$work/plan.dxf"

# A UI script that runs out: the request is cancelled, the run finishes, the status says so.
printf 'point 1,2\n' > "$work/short.txt"
commands='ID\nID\nGETVAR CMDECHO\n'
expect 1 "ui-script $work/short.txt ran out: no line answers the point request" -- --ui-script "$work/short.txt"
grep -qx 'CMDECHO = 1' "$work/out" || fail "the run stopped at the failure: $(cat "$work/out")"
printf 'click 1\n' > "$work/wrong.txt"
commands='SELECT\n'
expect 1 "ui-script $work/wrong.txt line 1: the object selection waits for \"objects all\", \"objects HANDLE...\" or \"objects cancel\", not \"click 1\"" -- --ui-script "$work/wrong.txt"
echo PASS
