# A crash while the demo runs in its changed 800 x 600 mode: the display has its own size back
# before the demo has gone, and the signal's default action still ends it; a keeper killed from
# outside does not change how the demo ends.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 1024x768
e2e_offer_modes 800x600
e2e_data
e2e_start --mute
e2e_wait_window Zephal3D
e2e_wait_frames 3
[ "$(e2e_screen_mode)" = 800x600 ] || e2e_fail "the fullscreen demo did not switch the display to 800x600"
kill -s SEGV "$E2E_PID"
e2e_wait_exit 10
e2e_expect_status $((128 + 11))
[ "$(e2e_screen_mode)" = 1024x768 ] || e2e_fail "after SIGSEGV the display is $(e2e_screen_mode), not 1024x768"

# A keeper that is gone (killed from outside) leaves the demo's own ending as it was: status 0.
e2e_start --mute
e2e_wait_window Zephal3D
e2e_wait_frames 3
keeper=$(pgrep -P "$E2E_PID") || e2e_fail "no keeper process beside the demo"
kill -s KILL $keeper
e2e_focus "$E2E_WIN"
e2e_key Escape
e2e_wait_exit 10
e2e_expect_status 0
echo "crash_mode: ok"
