# A crash while the demo runs in its changed 800 x 600 mode: the display has its own size back
# before the demo has gone, and the signal's default action still ends it; so also when the demo
# was started without stdin or stdout, or with --monitor (which looks at the display at start),
# and after F1 has led to another fullscreen mode. The keeper has its own connection to the
# display, none of the demo's, and a keeper killed from outside does not change how the demo ends.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 1024x768
e2e_offer_modes 800x600 640x480
e2e_data

# Starts the demo (with the arguments given) fullscreen and crashes it. WHAT names the start.
crash_gives_mode_back() {
  local what=$1 keeper shared
  shift
  e2e_start --mute "$@"
  e2e_wait_frames 3
  [ "$(e2e_screen_mode)" = 800x600 ] || e2e_fail "$what: the fullscreen demo did not switch the display to 800x600"
  keeper=$(pgrep -P "$E2E_PID") || e2e_fail "$what: no keeper process beside the demo"
  shared=$(comm -12 <(e2e_sockets "$E2E_PID") <(e2e_sockets "$keeper"))
  [ -z "$shared" ] || e2e_fail "$what: the keeper holds the demo's own sockets: $shared"
  kill -s SEGV "$E2E_PID"
  e2e_wait_exit 10
  e2e_expect_status $((128 + 11))
  [ "$(e2e_screen_mode)" = 1024x768 ] || e2e_fail "$what: after SIGSEGV the display is $(e2e_screen_mode), not 1024x768"
}
crash_gives_mode_back "a plain start"
E2E_CLOSED_FD=0 crash_gives_mode_back "started without stdin"
E2E_CLOSED_FD=1 crash_gives_mode_back "started without stdout"
crash_gives_mode_back "--monitor 0" --monitor 0

# Through F1 to the framed window and on to the fullscreen 640 x 480: a crash there gives back the
# display's own mode, not the demo's first one.
screen_is() { [ "$(e2e_screen_mode)" = "$1" ]; }
e2e_start --mute
e2e_wait_window Zephal3D
e2e_wait_until 10 "the fullscreen 800x600" screen_is 800x600
e2e_focus "$E2E_WIN"
e2e_key F1
e2e_wait_window "Zephal 3D"
e2e_wait_until 10 "the display's own mode back in the window" screen_is 1024x768
e2e_focus "$E2E_WIN"
e2e_key F1
e2e_wait_until 10 "the fullscreen 640x480" screen_is 640x480
kill -s SEGV "$E2E_PID"
e2e_wait_exit 10
e2e_expect_status $((128 + 11))
[ "$(e2e_screen_mode)" = 1024x768 ] || e2e_fail "after F1 twice and SIGSEGV the display is $(e2e_screen_mode), not 1024x768"

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
