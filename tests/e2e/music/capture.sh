# The music reaches ALSA's "default" PCM exactly as mp3dec decodes it, its start and the seams
# where it repeats without a gap; Escape ends the demo at once while the music plays.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/music.sh"
e2e_xvfb -s 800x600
e2e_data
music_write 44100
music_sink "$E2E_DIR/capture.raw"
pass=$(music_reference "$E2E_DIR/pass.raw")
cat "$E2E_DIR/pass.raw" "$E2E_DIR/pass.raw" "$E2E_DIR/pass.raw" >"$E2E_DIR/passes.raw"
e2e_start
e2e_wait_window Zephal3D
music_wait_bytes "$E2E_DIR/capture.raw" $((2 * pass + 65536)) 20
music_escape
e2e_wait_exit 15
e2e_expect_status 0
cmp -n $((2 * pass + 65536)) "$E2E_DIR/passes.raw" "$E2E_DIR/capture.raw" ||
  e2e_fail "the captured music differs from mp3dec's (one pass is $pass bytes)"
[ "$(music_message_count)" = 0 ] || e2e_fail "a message about the music"
echo "capture: ok"
