# --desktop on a 1920 x 1080 screen: the screen keeps its size and mode; the picture is the one
# capture --fit 1920x1080 draws of the same moment (in the flight, and with the greets scroll
# a known number of frames up); F1 gives the 640 x 480 window and F1 again desktop fullscreen.
# The demo's clock is frozen and moved by a file the test writes (libfaketime), and the frames
# it has drawn are counted while it is stopped (SIGSTOP): where a stop falls within a frame leaves
# the scroll's frames known to within one, so the live picture must match one of three captures.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 1920x1080 -wm

screen_state() { echo "$(xrandr --current | awk '/^Screen/ {print $8 $9 $10}') $(e2e_screen_mode)"; }
clock_at() { echo "2026-01-01 00:$1" >"$E2E_DIR/clock"; }
covers_the_screen() { E2E_WIN=$(e2e_find_window "$1") && [ "$(e2e_geometry "$E2E_WIN")" = "1920 1080 0 0" ]; }
# glClear calls so far, two a frame (the bars, then the frame), counted while the demo is stopped.
stopped_count() {
  kill -STOP "$E2E_PID"
  sleep 0.05
  e2e_frames
}
# capture at F frames a second sees the scroll rise in its grid frames after 60.2 s up to 61 s.
fps_for_scroll_frames() {
  for f in $(seq 2 600); do
    ((f % 5 != 0 && 61 * f - (602 * f + 9) / 10 + 1 == $1)) && { echo "$f"; return 0; }
  done
  e2e_fail "no capture rate gives $1 scroll frames"
}
# Both shrunk to a quarter with a box filter; at most 0.4 % of the pixels may differ by over 2 %.
# True, with the difference in E2E_PROBLEM, when they differ.
picture_problem() {
  convert "$1" -filter box -resize 25% -strip "$1.small.png"
  convert "$2" -filter box -resize 25% -strip "$2.small.png"
  local off
  off=$(compare -metric AE -fuzz 2% "$1.small.png" "$2.small.png" null: 2>&1 || true)
  E2E_PROBLEM=""
  ((off <= 518)) && return 1
  E2E_PROBLEM="$2: $off of 129600 pixels differ by more than 2%"
}

e2e_data
"$Z3D_GENDATA" "$E2E_DIR" >/dev/null
before=$(screen_state)
clock_at "00:00"
FAKETIME_TIMESTAMP_FILE=$E2E_DIR/clock FAKETIME_NO_CACHE=1 LD_PRELOAD=$Z3D_FAKETIME e2e_start --desktop --mute
e2e_wait_until 30 "the window over the screen" covers_the_screen Zephal3D
# The clock starts after the textures are loaded, which follows the window's showing: a frame
# drawn says it has started at 00:00, so that moving the clock on moves the show.
e2e_wait_until 30 "the first frame" e2e_frames_reach 1
clock_at "00:50"
e2e_wait_frames 20
e2e_shot "$E2E_DIR/live-50.png"
for x in 0 239 1680 1919; do
  [ "$(e2e_pixel "$E2E_DIR/live-50.png" "$x" 540)" = "0 0 0" ] || e2e_fail "no black bar at x = $x"
done
[ "$(screen_state)" = "$before" ] || e2e_fail "the screen went from $before to $(screen_state)"

c0=$(stopped_count)
clock_at "01:01"
kill -CONT "$E2E_PID"
e2e_wait_until 30 "frames after 61 s" e2e_frames_reach $((c0 + 20))
c1=$(stopped_count)
e2e_shot "$E2E_DIR/live-61.png"
# Here, beside the demo, on the 1920 x 1080 screen under openbox: drawn off-screen, the picture is
# not a window that the window manager could fit inside its frame.
fit_capture() {
  "$Z3D_CAPTURE" --data "$E2E_DIR" --fit 1920x1080 --fps "$(fps_for_scroll_frames "$1")" \
    --out "$E2E_DIR/fit$1" 50 61 >/dev/null 2>"$E2E_DIR/capture$1.log" ||
    e2e_fail "capture --fit failed: $(cat "$E2E_DIR/capture$1.log")"
}
scroll=$(((c1 + 1) / 2 - (c0 + 1) / 2))
pids=()
for n in $((scroll - 1)) $scroll $((scroll + 1)); do
  fit_capture "$n" &
  pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid" || e2e_fail "a capture failed"; done
kill -CONT "$E2E_PID"
picture_problem "$E2E_DIR/live-50.png" "$E2E_DIR/fit$scroll-050000.ppm" && e2e_fail "$E2E_PROBLEM"
for n in $((scroll - 1)) $scroll $((scroll + 1)); do
  picture_problem "$E2E_DIR/live-61.png" "$E2E_DIR/fit$n-061000.ppm" || break
done
[ -z "$E2E_PROBLEM" ] || e2e_fail "with the scroll $((scroll - 1)) to $((scroll + 1)) frames up: $E2E_PROBLEM"

e2e_f1_to_window
e2e_focus "$E2E_WIN"
e2e_key F1
e2e_wait_until 10 "desktop fullscreen again" covers_the_screen "Zephal 3D"
[ "$(screen_state)" = "$before" ] || e2e_fail "after F1 twice the screen is $(screen_state), not $before"
e2e_focus "$E2E_WIN"
e2e_key Escape
e2e_wait_exit 15
e2e_expect_status 0
echo "desktop: ok"
