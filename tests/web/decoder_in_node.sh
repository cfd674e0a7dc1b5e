#!/usr/bin/env bash
# decoder_in_node.sh MP3DEC MP3DEC_JS SONG: our decoder built to WebAssembly, run under node, writes
# the same bytes as the native mp3dec for every conformance stream (tests/data/conformance) and
# for the demo's song, gapless and not; a stream one refuses the other must refuse too.
set -euo pipefail
native=$1 web=$2 song=$3
streams=$(cd "$(dirname "$0")/../data/conformance" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/z3d-wasm-decode.XXXXXX")
trap 'rm -rf "$work"' EXIT

failed=0 checked=0
# One decode each way with the same options; outputs and exit statuses must agree.
check() {
  local name=$1 input=$2; shift 2
  local want=0 got=0
  "$native" "$@" "$input" "$work/native" >/dev/null 2>&1 || want=$?
  node --no-experimental-fetch "$web" "$@" "$input" "$work/web" >/dev/null 2>&1 || got=$?
  checked=$((checked + 1))
  if [ "$want" != "$got" ]; then
    echo "FAIL: $name: exit status $got under node, $want natively" >&2
    failed=1
  elif [ -e "$work/native" ] && ! cmp -s "$work/native" "$work/web"; then
    echo "FAIL: $name: the WebAssembly decode differs from the native one" >&2
    failed=1
  fi
  rm -f "$work/native" "$work/web"
}

for stream in "$streams"/*.bit; do check "$(basename "$stream")" "$stream"; done
check "the song" "$song"
check "the song, --no-gapless" "$song" --no-gapless
[ "$failed" = 0 ] && echo "ok: $checked decodes under node equal the native ones"
exit $failed
