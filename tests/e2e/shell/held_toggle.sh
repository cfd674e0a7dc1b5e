# F1 held on a 640 x 480 screen: every auto-repeated key-down re-creates the window, switching
# between fullscreen and windowed, also once the new window has the key; the demo survives it.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 640x480
e2e_data
e2e_start
e2e_answer "Kiro GL" Return
e2e_wait_window Zephal3D
sleep 0.3
before=$(e2e_viewports)
e2e_keydown F1
sleep 2.5
e2e_keyup F1
sleep 0.5
e2e_running || e2e_fail "zephal3d ended while F1 was held"
setups=$(($(e2e_viewports) - before))
((setups >= 3)) || e2e_fail "only $setups window set-ups while F1 was held"
e2e_wait_window "Zephal 3D"
e2e_focus "$E2E_WIN"
e2e_key Escape
e2e_wait_exit 15
e2e_expect_status 0
echo "held_toggle: ok ($setups set-ups)"
