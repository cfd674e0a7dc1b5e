# Without a display the demo says why on stderr and ends with 1 instead of hanging.
. "$(dirname "$0")/../lib.sh"
e2e_data
unset DISPLAY
e2e_start
e2e_wait_exit 15
e2e_expect_status 1
e2e_stderr_has "zephal3d: ERROR: Failed To Register The Window Class." || e2e_fail "no message on stderr"
echo "no_display: ok"
