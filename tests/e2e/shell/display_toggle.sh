# F1 re-creates the window at 640 x 480 as a framed window titled "Zephal 3D"; the next F1
# asks for a fullscreen 640 x 480 the screen does not offer, and Yes keeps a framed window.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 800x600 -wm
e2e_data
e2e_start
e2e_wait_window Zephal3D
e2e_f1_to_window
read -r w h x y <<<"$(e2e_geometry "$E2E_WIN")"
if xdotool search --onlyvisible --name '^Zephal3D$' >/dev/null 2>&1; then e2e_fail "the first window is still shown"; fi
e2e_wait_frames 3
e2e_shot "$E2E_DIR/windowed.png"
e2e_expect_scene "$E2E_DIR/windowed.png" "$x" "$y" 640 480

e2e_focus "$E2E_WIN"
e2e_key F1
e2e_answer "Kiro GL" Return
e2e_wait_window "Zephal 3D"
read -r w h x y <<<"$(e2e_geometry "$E2E_WIN")"
[ "$w $h" = "640 480" ] || e2e_fail "window after Yes is ${w}x$h"
e2e_expect_framed "$E2E_WIN"
e2e_stderr_has "zephal3d: Kiro GL: The Requested Fullscreen Mode Is Not Supported By Your Video Card. Use Windowed Mode Instead?" || e2e_fail "no question on stderr"

e2e_focus "$E2E_WIN"
e2e_key Escape
e2e_wait_exit 15
e2e_expect_status 0
echo "display_toggle: ok"
