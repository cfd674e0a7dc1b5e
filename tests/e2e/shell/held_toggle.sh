# F1 held on a 640 x 480 screen: every auto-repeated key-down re-creates the window, switching
# between fullscreen and windowed, also once the new window has the key; the demo survives it.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 640x480
e2e_data
e2e_start
e2e_answer "Kiro GL" Return
e2e_wait_window Zephal3D
e2e_focus "$E2E_WIN"
before=$(e2e_viewports)
e2e_keydown F1
e2e_wait_until 30 "three window set-ups while F1 is held" e2e_viewports_reach $((before + 3))
e2e_keyup F1
e2e_running || e2e_fail "zephal3d ended while F1 was held"
# The key-downs queued before the release may still toggle: wait until a few frames pass without.
settled() {
  local views
  views=$(e2e_viewports)
  e2e_wait_frames 5
  [ "$(e2e_viewports)" = "$views" ]
}
e2e_wait_until 30 "end of the toggling after F1 was released" settled
setups=$(($(e2e_viewports) - before))
((setups >= 3)) || e2e_fail "only $setups window set-ups while F1 was held"
e2e_wait_window "Zephal 3D"
e2e_focus "$E2E_WIN"
e2e_key Escape
e2e_wait_exit 15
e2e_expect_status 0
echo "held_toggle: ok ($setups set-ups)"
