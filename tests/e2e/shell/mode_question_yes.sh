# A screen without an 800 x 600 mode: the question, answered Yes, gives a framed window whose
# client area is 800 x 600, showing the scene, and following a resize.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 1024x768 -wm
e2e_data
E2E_FAKETIME='+0 x0.01'  # the camera stays at its start whether or not the flight drives it
e2e_start
e2e_answer "Kiro GL" Return
e2e_wait_window Zephal3D
e2e_expect_framed_scene "$E2E_WIN" 800 600
# A size given by the window manager reaches the view: the wall stays in the middle.
views=$(e2e_viewports)
timeout 10 xdotool windowsize --sync "$E2E_WIN" 600 400 || e2e_fail "the window was not resized"
e2e_wait_until 30 "new view after the resize" e2e_viewports_reach $((views + 1))
e2e_wait_frames 3
read -r w h x y <<<"$(e2e_geometry "$E2E_WIN")"
[ "$w $h" = "600 400" ] || e2e_fail "resized window is ${w}x$h"
e2e_shot "$E2E_DIR/resized.png"
e2e_expect_scene "$E2E_DIR/resized.png" "$x" "$y" 600 400
# Above the wall; with the old 800 x 600 view the wall would reach up to here.
read -r r g b <<<"$(e2e_pixel "$E2E_DIR/resized.png" $((x + 300)) $((y + 40)))"
((r >= 250 && g >= 250 && b >= 250)) || e2e_fail "the view did not follow the resize: $r $g $b above the wall"
e2e_stderr_has "zephal3d: Kiro GL: The Requested Fullscreen Mode Is Not Supported By Your Video Card. Use Windowed Mode Instead?" || e2e_fail "no question on stderr"
e2e_focus "$E2E_WIN"
e2e_key Escape
e2e_wait_exit 15
e2e_expect_status 0
echo "mode_question_yes: ok"
