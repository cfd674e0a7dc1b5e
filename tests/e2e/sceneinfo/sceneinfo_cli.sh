#!/usr/bin/env bash
# sceneinfo_cli.sh SCENEINFO WRITE_SEEDS: the tool's exit statuses, messages and output on files.
set -u
sceneinfo=$1
write_seeds=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$write_seeds" "$dir" || fail "cannot write the test scenes"

out=$("$sceneinfo" "$dir/realistic.3ds") || fail "exit status $? on a readable file"
case $out in
  '{"materials":[{"number":0,"name":"BRICK","mapName":"BRICK.BMP",'*'"cameras":[{"name":"Camera01",'*'"lens":60,"bank":0}]}') ;;
  *) fail "unexpected output: $out" ;;
esac
[ "$(printf '%s\n' "$out" | wc -l)" = 1 ] || fail "output is not one line"

corners=$("$sceneinfo" --corners "$dir/camera.3ds") || fail "--corners exit status $?"
[ "$corners" = "$("$sceneinfo" "$dir/camera.3ds")" ] || fail "--corners changed a scene without meshes"
"$sceneinfo" "$dir/realistic.3ds" --corners | grep -q '"corners":\[\[' || fail "no corners listed"

err=$("$sceneinfo" "$dir/missing.3DS" 2>&1 >/dev/null)
status=$?
[ $status = 1 ] || fail "exit status $status for a missing file"
[ "$err" = "sceneinfo: $dir/missing.3DS: cannot open: No such file or directory" ] || fail "message: $err"

"$sceneinfo" >/dev/null 2>&1
[ $? = 2 ] || fail "no usage error without a file"

# a file that is not a scene is still read: four empty lists
printf 'not a scene' >"$dir/text.3ds"
[ "$("$sceneinfo" "$dir/text.3ds")" = '{"materials":[],"meshes":[],"lights":[],"cameras":[]}' ] ||
  fail "a non-scene file gave records"
echo "sceneinfo: all checks passed"
