# Streams at 22050 Hz (MPEG-2) and 8000 Hz (MPEG-2.5) open the device at their own rate, 16-bit
# stereo, and play exactly.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/music.sh"
e2e_xvfb -s 800x600
e2e_data
for want in 22050 8000; do
  music_write $want 1.0 0.5
  rm -f "$E2E_DIR/capture.wav"
  music_sink "$E2E_DIR/capture.wav" wav
  pass=$(music_reference "$E2E_DIR/pass.raw")
  e2e_start
  e2e_wait_window Zephal3D
  music_wait_bytes "$E2E_DIR/capture.wav" $((44 + pass)) 20
  music_escape
  e2e_wait_exit 15
  e2e_expect_status 0
  read -r channels rate <<<"$(od -An -tu2 -j22 -N2 "$E2E_DIR/capture.wav") $(od -An -tu4 -j24 -N4 "$E2E_DIR/capture.wav")"
  bits=$(od -An -tu2 -j34 -N2 "$E2E_DIR/capture.wav" | tr -d ' ')
  [ "$channels $rate $bits" = "2 $want 16" ] || e2e_fail "device opened as $channels channels, $rate Hz, $bits bits"
  cmp -n "$pass" -i 44:0 "$E2E_DIR/capture.wav" "$E2E_DIR/pass.raw" ||
    e2e_fail "the captured music at $want Hz differs from mp3dec's"
done
echo "other_rate: ok"
