# Fullscreen start on a screen that offers 800 x 600; the scene shows, the pointer is held at
# (320, 240); Escape ends at once with 0.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 800x600
e2e_data
e2e_start
e2e_wait_window Zephal3D
[ "$(e2e_geometry "$E2E_WIN")" = "800 600 0 0" ] || e2e_fail "window is $(e2e_geometry "$E2E_WIN")"
e2e_wait_frames 3  # the first frame is cleared blue, the later ones white
e2e_shot "$E2E_DIR/shot.png"
e2e_expect_scene "$E2E_DIR/shot.png" 0 0 800 600
# The pointer is put back at (320, 240) after every frame.
xdotool mousemove 700 500
e2e_wait_frames 3
[ "$(xdotool getmouselocation | cut -d' ' -f1,2)" = "x:320 y:240" ] || e2e_fail "pointer at $(xdotool getmouselocation)"
e2e_focus "$E2E_WIN"
e2e_key Escape
e2e_wait_exit 15
e2e_expect_status 0
if e2e_stderr_has "ERROR"; then e2e_fail "an error was reported"; fi
echo "escape: ok"
