#!/usr/bin/env bash
# Builds a libFuzzer target with clang and the sanitizers (objects are kept beside the output
# and rebuilt when their source or a header is newer). Targets: dxf_reader (the drawing
# reader and writer), settings_loader (the .kvx settings file), ui_script (UI-script lines
# and the scripted editor input). Each has its corpus in tests/fuzz/corpus/TARGET, which
# the test run replays.
# usage: tests/fuzz/build_fuzzer.sh [TARGET] [OUTPUT]
#   then nice -n 19 OUTPUT -jobs=1 -timeout=10 -max_total_time=600 -close_fd_mask=2 WORK_CORPUS tests/fuzz/corpus/TARGET
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
target=${1:-dxf_reader}
out=${2:-$root/build/fuzz/${target}_fuzz}
objdir=$(dirname "$out")/obj
mkdir -p "$objdir"
includes=(-I"$root/platform/kv/include" -I"$root/platform/kv/internal")
libs=()
case "$target" in
  dxf_reader)
    includes+=(-I"$root/platform/dxf/include")
    sources=("$root"/platform/dxf/*.cpp) ;;
  settings_loader)
    includes+=(-I"$root")
    sources=("$root"/export/ExtractionSettings.cpp "$root"/export/SettingsFileShape.cpp "$root"/host/ResString.cpp
             "$root"/resources/StringTable.cpp)
    libs=(-ltinyxml) ;;
  ui_script)
    includes+=(-I"$root/platform/ui/include" -I"$root/platform/shell/include" -I"$root/platform/shell")
    sources=("$root"/platform/ui/KvUiAction.cpp "$root"/platform/shell/ScriptedEditorInput.cpp
             "$root"/platform/shell/EditorInputParsing.cpp) ;;
  *) echo "unknown fuzz target '$target' (dxf_reader, settings_loader, ui_script)" >&2; exit 2 ;;
esac
flags=(-std=c++20 -g -O1 -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined "${includes[@]}")
objects=()
pids=()
for src in "$root/tests/fuzz/${target}_fuzz.cpp" "${sources[@]}" "$root"/platform/kv/*.cpp; do
  obj="$objdir/$(basename "$(dirname "$src")")_$(basename "$src" .cpp).o"
  objects+=("$obj")
  newer=$(find "$root/platform" "$root/export" "$root/host" "$root/resources" -name '*.h' -newer "$obj" 2>/dev/null | head -1 || true)
  if [ ! -f "$obj" ] || [ "$src" -nt "$obj" ] || [ -n "$newer" ]; then
    clang++ "${flags[@]}" -c "$src" -o "$obj" &
    pids+=($!)
    while [ "$(jobs -rp | wc -l)" -ge 2 ]; do sleep 0.2; done
  fi
done
for pid in "${pids[@]}"; do wait "$pid"; done
clang++ -fsanitize=fuzzer,address,undefined "${objects[@]}" "${libs[@]}" -o "$out"
echo "$out"
