# --window on a screen without the 800 x 600 mode: a framed 800 x 600 window showing the scene
# at once, without the question.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 1024x768 -wm
e2e_data
E2E_FAKETIME='+0 x0.01'  # the camera stays at its start whether or not the flight drives it
e2e_start --window
e2e_wait_window Zephal3D
e2e_expect_framed_scene "$E2E_WIN" 800 600
# The question would have been up before the window: it never was.
! e2e_stderr_has "Kiro GL" || e2e_fail "the question was asked"
[ -z "$(xdotool search --name '^Kiro GL$' 2>/dev/null || true)" ] || e2e_fail "a question box is there"
e2e_focus "$E2E_WIN"
e2e_key Escape
e2e_wait_exit 15
e2e_expect_status 0
echo "window_option: ok"
