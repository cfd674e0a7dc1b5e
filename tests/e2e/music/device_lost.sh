# A sound device lost while playing silences the music with one line on stderr; the show goes on.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/music.sh"
e2e_xvfb -s 800x600
e2e_data
music_write 44100
lost_at=200000
music_fault_device "$E2E_DIR/capture.raw" "$E2E_DIR/faults.log" "lost@$lost_at"
music_reference "$E2E_DIR/pass.raw" >/dev/null
e2e_start
e2e_wait_window Zephal3D
e2e_wait_until 30 "the device lost" music_logged "$E2E_DIR/faults.log" lost
e2e_wait_until 10 "a word about the music" e2e_stderr_has "zephal3d: no music:"
e2e_wait_frames 10
e2e_running || e2e_fail "zephal3d ended by itself"
music_escape
e2e_wait_exit 15
e2e_expect_status 0
e2e_stderr_has 'zephal3d: no music: the sound device "default" failed while playing (No such device)' ||
  e2e_fail "no word about the lost device"
[ "$(music_message_count)" = 1 ] || e2e_fail "expected one message about the music"
[ "$(music_bytes "$E2E_DIR/capture.raw")" = "$lost_at" ] || e2e_fail "the device played on after it was lost"
cmp -n "$lost_at" "$E2E_DIR/pass.raw" "$E2E_DIR/capture.raw" || e2e_fail "the music before the loss differs from mp3dec's"
echo "device_lost: ok"
