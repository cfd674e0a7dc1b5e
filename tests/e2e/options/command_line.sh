# Without a display: --help prints the keys, the data files and the options on stdout and ends
# with 0; an unknown option or --data without its folder print the usage on stderr and end with 2.
. "$(dirname "$0")/../lib.sh"
E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/z3d-e2e.XXXXXX")
usage="usage: zephal3d [--window | --desktop] [--monitor N] [--vsync | --no-vsync] [--data DIR]"
run() {
  set +e
  env -u DISPLAY "$Z3D_EXE" "$@" >"$E2E_DIR/stdout" 2>"$E2E_DIR/stderr"
  E2E_STATUS=$?
  set -e
}
run --help
e2e_expect_status 0
[ "$(head -n1 "$E2E_DIR/stdout")" = "$usage" ] && [ ! -s "$E2E_DIR/stderr" ] || e2e_fail "no help on stdout alone"
for word in F1 Escape traj.txt scenedemo.3DS greets2alpha.bmp sorvel.mp3 --window '--data DIR' --mute --version \
    --desktop '--monitor N' '--vsync       frames wait for the display'"'"'s refresh (the default)' --no-vsync --benchmark; do
  grep -qF -- "$word" "$E2E_DIR/stdout" || e2e_fail "the help lacks $word"
done
for args in --bogus "--window --data"; do
  run $args
  e2e_expect_status 2
  [ ! -s "$E2E_DIR/stdout" ] && [ "$(sed -n 2p "$E2E_DIR/stderr")" = "$usage" ] || e2e_fail "$args: no usage on stderr"
done
e2e_stderr_has "zephal3d: --data: needs a folder" || e2e_fail "the missing folder is not named"
echo "command_line: ok"
