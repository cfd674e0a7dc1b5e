# lint.sh DIST: the menu entry passes desktop-file-validate and the man pages pass mandoc's lint,
# both with nothing to say.
set -u
dist=$1
out=$(desktop-file-validate "$dist/zephal3d.desktop" 2>&1) && [ -z "$out" ] || { echo "FAIL: desktop entry: $out"; exit 1; }
pages=("$dist"/man/*.[16])
[ ${#pages[@]} = 5 ] || { echo "FAIL: ${#pages[@]} man pages, expected 5"; exit 1; }
out=$(mandoc -T lint "${pages[@]}" 2>&1) && [ -z "$out" ] || { echo "FAIL: man pages: $out"; exit 1; }
echo "lint: ok"
