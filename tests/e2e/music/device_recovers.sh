# After an underrun and a suspend of the sound device the music goes on: what the device played
# equals mp3dec's decode, less only what each fault cut from the device's buffer.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/music.sh"
e2e_xvfb -s 800x600
e2e_data
music_write 44100
music_fault_device "$E2E_DIR/capture.raw" "$E2E_DIR/faults.log" "underrun@300000 suspend@700000"
pass=$(music_reference "$E2E_DIR/pass.raw")
cat "$E2E_DIR/pass.raw" "$E2E_DIR/pass.raw" "$E2E_DIR/pass.raw" "$E2E_DIR/pass.raw" >"$E2E_DIR/passes.raw"
e2e_start
e2e_wait_window Zephal3D
music_wait_bytes "$E2E_DIR/capture.raw" $((2 * pass + 65536)) 40
music_escape
e2e_wait_exit 15
e2e_expect_status 0
music_logged "$E2E_DIR/faults.log" underrun || e2e_fail "the device logged no underrun"
music_logged "$E2E_DIR/faults.log" suspend || e2e_fail "the device logged no suspend"
music_less_cuts "$E2E_DIR/passes.raw" "$E2E_DIR/faults.log" "$E2E_DIR/expected.raw"
cmp -n "$(music_bytes "$E2E_DIR/capture.raw")" "$E2E_DIR/expected.raw" "$E2E_DIR/capture.raw" ||
  e2e_fail "the music played differs from mp3dec's less the cuts: $(tr '\n' ';' <"$E2E_DIR/faults.log")"
[ "$(music_message_count)" = 0 ] || e2e_fail "a message about the music"
echo "device_recovers: ok"
