# Two demos at once: the second starts while the first holds the display at 800 x 600, so it
# changes no mode itself. When the first has ended (and given 1024 x 768 back), a crash of the
# second leaves the display as it is: a keeper gives back only what its own demo changed.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 1024x768
e2e_offer_modes 800x600
e2e_data
first_dir=$E2E_DIR
e2e_start --mute
first=$E2E_PID
trap 'kill "$first" 2>/dev/null || true; rm -rf "$first_dir"; e2e_cleanup' EXIT
e2e_wait_frames 3
[ "$(e2e_screen_mode)" = 800x600 ] || e2e_fail "the first demo did not switch the display to 800x600"

e2e_data
e2e_start --mute
e2e_wait_frames 3
kill -s TERM "$first"
wait "$first" || e2e_fail "the first demo ended with status $? on SIGTERM"
[ "$(e2e_screen_mode)" = 1024x768 ] || e2e_fail "the first demo left the display at $(e2e_screen_mode)"

kill -s SEGV "$E2E_PID"
e2e_wait_exit 10
e2e_expect_status $((128 + 11))
[ "$(e2e_screen_mode)" = 1024x768 ] ||
  e2e_fail "after the second demo's crash the display is $(e2e_screen_mode), not 1024x768"
echo "crash_mode_two_demos: ok"
