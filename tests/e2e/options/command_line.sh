# Without a display: --help and --version print on stdout and end with 0; an unknown option or
# --data without its folder print the usage on stderr and end with 2; a data folder that is not
# there ends with 1, naming it; a help that cannot be written is a failure.
. "$(dirname "$0")/../lib.sh"
E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/z3d-e2e.XXXXXX")
out=$E2E_DIR/stdout
err=$E2E_DIR/stderr

run() {
  set +e
  (cd "$E2E_DIR" && exec env -u DISPLAY "$Z3D_EXE" "$@" >"$out" 2>"$err")
  E2E_STATUS=$?
  set -e
}
has() { grep -qF -- "$2" "$1" || e2e_fail "$1 lacks '$2'"; }
empty() { [ ! -s "$1" ] || e2e_fail "$1 should be empty"; }

run --help
e2e_expect_status 0
empty "$err"
[ "$(head -n1 "$out")" = "usage: zephal3d [--window] [--data DIR] [--mute]" ] || e2e_fail "help starts with $(head -n1 "$out")"
for word in F1 Escape R L traj.txt scenedemo.3DS greets.bmp greetsalpha.bmp greets2.bmp greets2alpha.bmp sorvel.mp3 \
  --window '--data DIR' --mute --version; do
  has "$out" "$word"
done

run --version
e2e_expect_status 0
empty "$err"
grep -qE '^zephal3d [0-9]+\.[0-9]+' "$out" || e2e_fail "version line: $(cat "$out")"

run --window --bogus
e2e_expect_status 2
empty "$out"
[ "$(sed -n 1p "$err")" = "zephal3d: --bogus: unknown option" ] || e2e_fail "first stderr line"
[ "$(sed -n 2p "$err")" = "usage: zephal3d [--window] [--data DIR] [--mute]" ] || e2e_fail "no usage after the problem"

run --data
e2e_expect_status 2
[ "$(sed -n 1p "$err")" = "zephal3d: --data: needs a folder" ] || e2e_fail "missing folder not named"
has "$err" "usage: zephal3d"

run --data no-such-folder
e2e_expect_status 1
[ "$(cat "$err")" = 'zephal3d: --data: cannot enter "no-such-folder": No such file or directory' ] ||
  e2e_fail "missing data folder not reported"

set +e
env -u DISPLAY "$Z3D_EXE" --help >/dev/full 2>"$err"
E2E_STATUS=$?
set -e
e2e_expect_status 1
has "$err" "zephal3d: --help: cannot write"
echo "command_line: ok"
