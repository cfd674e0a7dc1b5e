# R held while F1 re-creates the window, on a keyboard without auto-repeat: the new window never
# saw R go down, yet its release must still stop the trajectory dump.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 800x600 -wm -norepeat
e2e_data
e2e_start
e2e_wait_window Zephal3D
e2e_focus "$E2E_WIN"
e2e_keydown r
e2e_key F1
e2e_wait_window "Zephal 3D"
e2e_focus "$E2E_WIN"
e2e_keyup r
e2e_wait_frames 5
held=$(wc -l <"$E2E_DIR/traj.txt")
((held > 0)) || e2e_fail "no block while R was held"
e2e_wait_frames 20
after=$(wc -l <"$E2E_DIR/traj.txt")
((after == held)) || e2e_fail "traj.txt grew from $held to $after lines after R was released"
e2e_key Escape
e2e_wait_exit 15
e2e_expect_status 0
echo "key_held_over_toggle: ok"
