# Under Xwayland (sway, 1920 x 1080): the default run, --window and --desktop each show the
# show's 4:3 shape (a picture with black bars over the screen, or a 4:3 window), F1 twice comes
# back to where the run began, Escape ends with status 0, and the display's modes are as before,
# a crash included. Xwayland lists 800 x 600 among its modes but hands a fullscreen window the
# output's size, which once stretched the default run to 16:9.
. "$(dirname "$0")/../lib.sh"
e2e_sway -s 1920x1080

screen_state() { xrandr --current | awk '/^Screen/ {print $8 $9 $10} $2 ~ /\*/ {print $1}' | tr '\n' ' '; }
window_is() { E2E_WIN=$(e2e_find_window "$1") && [ "$(e2e_geometry "$E2E_WIN" | cut -d' ' -f1-2)" = "$2" ]; }
# The screen covered, the picture in the centred 1440 x 1080 rectangle, black bars beside it.
expect_barred_fullscreen() {
  e2e_wait_until 30 "'$1' over the screen" window_is "$1" "1920 1080"
  [ "$(e2e_geometry "$E2E_WIN")" = "1920 1080 0 0" ] || e2e_fail "'$1' is at $(e2e_geometry "$E2E_WIN")"
  e2e_wait_frames 3
  e2e_wait_scene "$E2E_DIR/shot.png" 240 0 1440 1080
  for x in 0 239 1680 1919; do
    [ "$(e2e_pixel "$E2E_DIR/shot.png" "$x" 540)" = "0 0 0" ] || e2e_fail "'$1': no black bar at x = $x"
  done
}
# A window of the size asked for (4:3), showing the scene in all of it.
expect_window() {
  local w h x y
  e2e_wait_until 30 "a $2 window '$1'" window_is "$1" "$2"
  read -r w h x y <<<"$(e2e_geometry "$E2E_WIN")"
  e2e_wait_frames 3
  e2e_wait_scene "$E2E_DIR/shot.png" "$x" "$y" "$w" "$h"
}
press() {
  e2e_focus "$E2E_WIN"
  e2e_key "$1"
}
end_with_escape() {
  press Escape
  e2e_wait_exit 15
  e2e_expect_status 0
  [ "$(screen_state)" = "$before" ] || e2e_fail "after $1 the display is $(screen_state), not $before"
}

e2e_data
before=$(screen_state)

# Each run's options, then what it shows at the start, after F1 and after F1 again: the show's
# shape over the screen with bars, or a window of that size (F1 restarts into 640 x 480).
expect() {
  if [ "$1" = bars ]; then expect_barred_fullscreen "$2"; else expect_window "$2" "${1/x/ }"; fi
}
for run in "|bars 640x480 bars" "--window|800x600 bars 640x480" "--desktop|bars 640x480 bars"; do
  args=${run%%|*}
  read -r first second third <<<"${run#*|}"
  e2e_start $args --mute
  expect "$first" Zephal3D
  press F1
  expect "$second" "Zephal 3D"
  press F1
  expect "$third" "Zephal 3D"
  end_with_escape "${args:-the default run}"
done

# The mode keeper beside the design's fullscreen: a crash leaves the display as it found it.
e2e_start --mute
expect_barred_fullscreen Zephal3D
kill -s SEGV "$E2E_PID"
e2e_wait_exit 10
e2e_expect_status $((128 + 11))
[ "$(screen_state)" = "$before" ] || e2e_fail "after SIGSEGV the display is $(screen_state), not $before"
echo "xwayland: ok"
