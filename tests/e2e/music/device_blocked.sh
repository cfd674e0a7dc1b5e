# A sound device whose call never returns must not hold up the end: Escape ends the demo within a second.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/music.sh"
e2e_xvfb -s 800x600
e2e_data
music_write 44100
music_fault_device "$E2E_DIR/capture.raw" "$E2E_DIR/faults.log" "block@200000"
e2e_start
e2e_wait_window Zephal3D
e2e_wait_until 30 "the device blocked" music_logged "$E2E_DIR/faults.log" block
e2e_wait_frames 5
e2e_focus "$E2E_WIN"
pressed=$(date +%s%N)
e2e_key Escape
e2e_wait_exit 15
ms=$((($(date +%s%N) - pressed) / 1000000))
e2e_expect_status 0
e2e_stderr_has "the sound device does not respond" || e2e_fail "no word about the blocked device"
((ms < 1000)) || e2e_fail "the demo took $ms ms to end after Escape"
echo "device_blocked: ok ($ms ms from Escape to the end)"
