# A scene file that is missing from the folder --data names, holds no camera, or is no 3DS file:
# a message box "ERROR" naming the file and the problem, then exit status 1.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 800x600

expect_refusal() {
  local problem=$1
  shift
  e2e_start "$@"
  e2e_answer ERROR Return
  e2e_wait_exit 15
  e2e_expect_status 1
  e2e_stderr_has "zephal3d: ERROR: " || e2e_fail "no message on stderr"
  e2e_stderr_has "scenedemo.3DS" || e2e_fail "the message does not name the file"
  e2e_stderr_has "$problem" || e2e_fail "the message does not say '$problem'"
  rm -rf "$E2E_DIR"
}

e2e_data
rm "$E2E_DIR/scenedemo.3DS"
expect_refusal "No such file or directory" --data "$E2E_DIR"

e2e_data --no-camera
expect_refusal "holds no camera"

e2e_data
echo "not a scene" >"$E2E_DIR/scenedemo.3DS"
expect_refusal "holds no camera"
echo "scene_refused: ok"
