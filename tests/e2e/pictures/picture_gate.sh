#!/usr/bin/env bash
# The show's picture at fixed moments of every phase, at two sizes, against reference pictures.
# Both are shrunk to a quarter with a box filter, so a new Mesa's edge pixels average out while a
# moved camera, a missing overlay or a changed fog still shows: a picture passes when few enough of
# its pixels differ by more than a little (tests/support/picture-match).
# Usage: picture_gate.sh GENDATA CAPTURE [--remake]   (--remake writes the references anew)
set -euo pipefail
gendata=$1 capture=$2 remake=${3:-}
refs=$(cd "$(dirname "$0")/../../data/pictures" && pwd)
times=(0 3 11.5 25 35.1 40 50 56.45 61 70 78.5 80)
sizes=(800x600 640x480)
match=$(cd "$(dirname "$0")/../../support" && pwd)/picture-match

work=$(mktemp -d "${TMPDIR:-/tmp}/z3d-pictures.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$gendata" "$work/data" >/dev/null

# One capture per size, both at once: each draws every frame up to 80 s.
pids=()
for size in "${sizes[@]}"; do
  "$capture" --data "$work/data" --size "$size" --out "$work/$size" "${times[@]}" >/dev/null &
  pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid" || { echo "FAIL: capture ended with an error" >&2; exit 1; }; done

failed=0
for size in "${sizes[@]}"; do
  for shot in "$work/$size"-*.ppm; do
    name=$size-$(basename "$shot" .ppm | sed 's/.*-//').png
    convert "$shot" -filter box -resize 25% -strip "$work/$name"
    if [ "$remake" = --remake ]; then
      cp "$work/$name" "$refs/$name"
      continue
    fi
    [ -f "$refs/$name" ] || { echo "FAIL: no reference picture $name" >&2; failed=1; continue; }
    if verdict=$("$match" "$refs/$name" "$work/$name"); then
      echo "ok: $name ($verdict)"
    else
      echo "FAIL: $name: $verdict" >&2
      failed=1
    fi
  done
done
count=$(ls "$work"/*.png | wc -l)
[ "$count" -eq $(( ${#times[@]} * ${#sizes[@]} )) ] || { echo "FAIL: $count pictures, expected $(( ${#times[@]} * ${#sizes[@]} ))" >&2; exit 1; }
exit $failed
