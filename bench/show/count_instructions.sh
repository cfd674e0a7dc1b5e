#!/usr/bin/env bash
# count_instructions.sh SHOW_BENCH DATA_DIR [FRAMES]: instructions per frame of each phase of the
# show, counted by callgrind (the whole process, llvmpipe's threads included), and where they go.
# Unlike frame rates, the counts repeat on a busy machine. Needs valgrind; runs its own Xvfb.
set -euo pipefail
if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: count_instructions.sh SHOW_BENCH DATA_DIR [FRAMES]" >&2
  exit 2
fi
bench=$(realpath "$1")
data=$(realpath "$2")
frames=${3:-20}
here=$(cd "$(dirname "$0")" && pwd)
xvfb=$here/../../tests/support/with-xvfb
out=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] || rm -rf "$out"' EXIT; echo "dumps in $out" >&2
"$xvfb" valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$out/cg.%p" "$bench" "$data" "$frames" \
  >"$out/bench.txt" 2>"$out/valgrind.txt" || { cat "$out/valgrind.txt" >&2; exit 1; }
grep '^scene:' "$out/bench.txt"
# Parts of the frame, inclusive of what they call; llvmpipe's drawing threads apart.
parts='drawLightMarkers|drawVertexSparks|drawMesh|drawGreetsScroll|drawGreetsPanel|present|lp_rast_|thread_function'
for dump in "$out"/cg.*.[0-9]*; do
  phase=$(sed -n 's/^desc: Trigger: Client Request: //p' "$dump")
  [ -n "$phase" ] || continue
  total=$(sed -n 's/^summary: //p' "$dump")
  printf '%-8s %14.0f instructions per frame\n' "$phase" "$(echo "$total / $frames" | bc -l)"
  callgrind_annotate --inclusive=yes "$dump" 2>/dev/null |
    awk -v n="$frames" -v parts="$parts" '$2 ~ /\*/ && $0 ~ parts {
      gsub(",", "", $1); printf "    %14.0f  %s\n", $1 / n, $NF }' | head -12
done
