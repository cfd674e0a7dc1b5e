# SIGINT, SIGTERM and SIGHUP end the demo as a close request does: the display mode is given
# back, the music thread stopped with its device closed, exit status 0. A signal while a message
# box waits closes the box; a second signal during the shut-down ends the demo at once.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../music/music.sh"
e2e_xvfb -s 1024x768

# A WAV file is finished, its lengths written into the header, only when the device is closed.
# Prints "RIFF-length data-length file-size".
wav_lengths() {
  local size
  size=$(stat -c %s "$1")
  echo "$(od -An -tu4 -j4 -N4 "$1" | tr -d ' ') $(od -An -tu4 -j40 -N4 "$1" | tr -d ' ') $size"
}

end_by_signal() {
  local sig=$1 riff data size
  e2e_data
  music_write 44100
  music_sink "$E2E_DIR/music.wav" wav
  e2e_start
  e2e_wait_window Zephal3D
  e2e_wait_frames 3
  music_wait_bytes "$E2E_DIR/music.wav" 100000 30
  [ "$(e2e_screen_mode)" = 800x600 ] || e2e_fail "the fullscreen demo did not switch the display to 800x600"
  kill -s "$sig" "$E2E_PID"
  e2e_wait_exit 10
  e2e_expect_status 0
  [ "$(e2e_screen_mode)" = 1024x768 ] || e2e_fail "after SIG$sig the display is $(e2e_screen_mode), not 1024x768 again"
  read -r riff data size <<<"$(wav_lengths "$E2E_DIR/music.wav")"
  ((riff == size - 8 && data == size - 44)) ||
    e2e_fail "after SIG$sig the music device was not closed (WAV lengths $riff $data, file $size bytes)"
  rm -rf "$E2E_DIR"
}

# The display offers 800x600 beside its own size, so the fullscreen demo switches to it.
e2e_offer_modes 800x600
for sig in INT TERM HUP; do end_by_signal "$sig"; done

# The music device stops taking bytes, so the shut-down waits for it: a second signal ends it.
e2e_data
music_write 44100
mkfifo "$E2E_DIR/stuck.fifo"
exec 3<>"$E2E_DIR/stuck.fifo"  # held open and never read
music_sink "$E2E_DIR/stuck.fifo"
e2e_start
e2e_wait_window Zephal3D
e2e_wait_frames 3
sleep 1  # time for the pipe to fill
kill -s TERM "$E2E_PID"
# Well inside the 0.3 s the shut-down gives a device that does not let go, which starts only after
# the first signal is handled; exiting by the second signal proves that the shut-down was waiting.
sleep 0.1
e2e_running || e2e_fail "the shut-down did not wait for the stuck device"
kill -s TERM "$E2E_PID"
e2e_wait_exit 10
e2e_expect_status $((128 + 15))  # ended by the signal itself
e2e_stderr_has "does not respond" && e2e_fail "the second signal did not end the demo at once"
exec 3>&-
rm -rf "$E2E_DIR"

# Without the 800x600 mode the demo asks whether to use a window; a signal answers No.
xrandr --output screen --mode 1024x768
xrandr --delmode screen z3d-800x600
e2e_data
e2e_start
e2e_find_window "Kiro GL" >/dev/null || e2e_fail "no question about the display mode"
kill -s INT "$E2E_PID"
e2e_wait_exit 10
e2e_expect_status 0
e2e_stderr_has "ERROR: Program Will Now Close." || e2e_fail "the signal did not answer No"
echo "stop_signals: ok"
