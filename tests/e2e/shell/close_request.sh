# The window manager's close request ends the demo with 0.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 800x600
e2e_data
e2e_start
e2e_wait_window Zephal3D
e2e_wait_frames 1
e2e_close_request "$E2E_WIN"
e2e_wait_exit 15
e2e_expect_status 0
echo "close_request: ok"
