#!/usr/bin/env bash
# page_in_firefox.sh CAPTURE MP3DEC DATA: the browser build (build-web/, or $WEB_DIR), served by
# scripts/web-serve (with its isolation headers, taking posts only under /posted/) and shown by
# Firefox ESR under Xvfb, against the native tools:
# - the page's test clock at three moments (the flight, the sparks, the greets scroll) gives the
#   pictures capture gives of them, within the picture gate's tolerance for another renderer;
# - the PCM the page hands to Web Audio (rendered offline: live audio needs a sound device) is our
#   native decode, sample for sample, at the song's start and across the seam where it loops.
set -euo pipefail
capture=$1 mp3dec=$2 data=$3
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
moments=(11500 22000 61500)
kSeconds=240  # for the page: its lead-in runs every frame up to the last moment

work=$(mktemp -d "${TMPDIR:-/tmp}/z3d-web-page.XXXXXX")
server=""
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

"$top/scripts/web-serve" 0 --posts "$work/posts" >"$work/serve.out" &
server=$!
for _ in $(seq 50); do grep -q serving "$work/serve.out" 2>/dev/null && break; sleep 0.1; done
url=$(sed -n 's/^serving //p' "$work/serve.out")
[ -n "$url" ] || { echo "FAIL: web-serve did not start" >&2; exit 1; }
# The page comes with the two isolation headers, and the server takes posts under /posted/ only.
python3 - "$url" <<'CHECK' || { echo "FAIL: web-serve's headers or its refusal of a stray post" >&2; exit 1; }
import sys, urllib.error, urllib.request
page = urllib.request.urlopen(sys.argv[1] + "index.html")
assert page.headers["Cross-Origin-Opener-Policy"] == "same-origin"
assert page.headers["Cross-Origin-Embedder-Policy"] == "require-corp"
try:
    urllib.request.urlopen(urllib.request.Request(sys.argv[1] + "index.html", data=b"x", method="POST"))
    sys.exit(1)
except urllib.error.HTTPError as refused:
    assert refused.code == 403
CHECK

list=$(IFS=,; echo "${moments[*]}")
if ! "$top/tests/support/with-xvfb" -s 1024x768 "$here/firefox_page.sh" \
    "${url}index.html#t=$list&size=800x600&post&pcm" "$work/posts" "$kSeconds"; then
  echo "FAIL: the page did not hand on what it was asked for" >&2
  exit 1
fi
for_capture=()
for ms in "${moments[@]}"; do for_capture+=("$(awk -v ms="$ms" 'BEGIN { print ms / 1000 }')"); done
"$capture" --data "$data" --out "$work/capture" "${for_capture[@]}" >/dev/null

failed=0
for ms in "${moments[@]}"; do
  name=$(printf '%06d' "$ms")
  convert "$work/posts/shot-$name.ppm" -filter box -resize 25% "$work/page-$name.png"
  convert "$work/capture-$name.ppm" -filter box -resize 25% "$work/capture-$name.png"
  if verdict=$("$top/tests/support/picture-match" "$work/capture-$name.png" "$work/page-$name.png"); then
    echo "ok: the page at $ms ms ($verdict)"
  else
    echo "FAIL: the page at $ms ms: $verdict" >&2
    failed=1
  fi
done

# What the page rendered from frame N on, against the native pass repeated from frame N.
"$mp3dec" -r "$data/sorvel.mp3" "$work/native.raw" >/dev/null
kFrameBytes=4
pcms=("$work"/posts/pcm-from-*.raw)
[ ${#pcms[@]} -eq 2 ] || { echo "FAIL: the page posted ${#pcms[@]} PCM renders, not 2" >&2; exit 1; }
seam=0
for pcm in "${pcms[@]}"; do
  from=$(basename "$pcm" .raw | sed 's/pcm-from-//')
  [ $((from * kFrameBytes + $(stat -c %s "$pcm"))) -gt "$(stat -c %s "$work/native.raw")" ] && seam=1
  # head ends the pipe early, which is no failure of the writers before it.
  if (set +o pipefail; { tail -c +$((from * kFrameBytes + 1)) "$work/native.raw"; cat "$work/native.raw"; } |
      head -c "$(stat -c %s "$pcm")" | cmp -s - "$pcm"); then
    echo "ok: the page's PCM from frame $from is the native decode"
  else
    echo "FAIL: the page's PCM from frame $from differs from the native decode" >&2
    failed=1
  fi
done
[ "$seam" = 1 ] || { echo "FAIL: no PCM render crosses the seam where the song loops" >&2; failed=1; }
exit $failed
