# A message box destroyed by another program (xdotool windowclose) counts as its last button,
# as closing it does: the question as No, then the closing message; the demo ends with 0.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 1024x768
e2e_data
e2e_start
box=$(e2e_find_window "Kiro GL") || e2e_fail "no question"
xdotool windowclose "$box"
box=$(e2e_find_window ERROR) || e2e_fail "no closing message after the question went"
xdotool windowclose "$box"
e2e_wait_exit 15
e2e_expect_status 0
e2e_stderr_has "zephal3d: ERROR: Program Will Now Close." || e2e_fail "no closing message on stderr"
echo "message_box_destroyed: ok"
