# A screen without an 800 x 600 mode: the question, answered Yes, gives a framed window whose
# client area is 800 x 600, showing the scene.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 1024x768 -wm
e2e_data
e2e_start
e2e_answer "Kiro GL" Return
e2e_wait_window Zephal3D
read -r w h x y <<<"$(e2e_geometry "$E2E_WIN")"
[ "$w $h" = "800 600" ] || e2e_fail "window is ${w}x$h"
e2e_expect_framed "$E2E_WIN"
sleep 0.5
e2e_shot "$E2E_DIR/shot.png"
e2e_expect_scene "$E2E_DIR/shot.png" "$x" "$y" 800 600
e2e_stderr_has "Kiro GL: The Requested Fullscreen Mode Is Not Supported By" || e2e_fail "no question on stderr"
e2e_key Escape
e2e_wait_exit 3
e2e_expect_status 0
echo "mode_question_yes: ok"
