#!/usr/bin/env bash
# count_instructions.sh [--window] SHOW_BENCH DATA_DIR [FRAMES]: instructions per frame of each phase
# of the show, counted by callgrind (the whole process, llvmpipe's threads included), and where they
# go. Unlike frame rates, the counts repeat on a busy machine. Needs valgrind. The show is drawn
# off-screen; --window draws it in a window on an Xvfb of its own, the swaps' copies included.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run=()
if [ "${1:-}" = --window ]; then
  run=("$here/../../tests/support/with-xvfb")
  shift
fi
if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: count_instructions.sh [--window] SHOW_BENCH DATA_DIR [FRAMES]" >&2
  exit 2
fi
bench=$(realpath "$1")
data=$(realpath "$2")
frames=${3:-20}
window=()
[ ${#run[@]} -eq 0 ] || window=(--window)
out=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] || rm -rf "$out"' EXIT; echo "dumps in $out" >&2
"${run[@]}" valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$out/cg.%p" "$bench" "${window[@]}" "$data" "$frames" \
  >"$out/bench.txt" 2>"$out/valgrind.txt" || { cat "$out/valgrind.txt" >&2; exit 1; }
grep '^scene:' "$out/bench.txt"
# The show's parts on the main thread, inclusive of the GL work they cause there; the rest is
# llvmpipe's rasterising threads and the shaders it compiles, which callgrind cannot name.
for dump in "$out"/cg.*.[0-9]*; do
  phase=$(sed -n 's/^desc: Trigger: Client Request: //p' "$dump")
  [ -n "$phase" ] || continue
  total=$(sed -n 's/^totals: //p' "$dump")
  callgrind_annotate --inclusive=yes --threshold=100 --auto=no "$dump" 2>/dev/null |
    awk -v n="$frames" -v total="$total" -v phase="$phase" '
      BEGIN { split("drawLightMarkers drawVertexSparks drawMesh drawGreetsScroll drawGreetsPanel present", parts, " ") }
      /^ *[0-9,]+ \(/ && !/=>/ {
        value = $1; gsub(",", "", value)
        for (i in parts) if (!(parts[i] in seen) && index($0, ":" parts[i] "(")) seen[parts[i]] = value
        if (mainThread == "" && index($0, "show_bench.cpp:main")) mainThread = value
      }
      END {
        printf "%-8s %14.0f instructions per frame\n", phase, total / n
        for (i = 1; i <= length(parts); ++i) printf "    %14.0f  %s\n", seen[parts[i]] / n, parts[i]
        printf "    %14.0f  llvmpipe threads and compiled shaders\n", (total - mainThread) / n
      }'
done
