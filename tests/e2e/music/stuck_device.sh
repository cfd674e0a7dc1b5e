# A sound device that stops taking bytes must not hold up the end: Escape still ends the demo.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/music.sh"
e2e_xvfb -s 800x600
e2e_data
music_write 44100
mkfifo "$E2E_DIR/stuck.fifo"
exec 3<>"$E2E_DIR/stuck.fifo"  # held open and never read: the pipe fills and every write blocks
music_sink "$E2E_DIR/stuck.fifo"
e2e_start
e2e_wait_window Zephal3D
e2e_wait_frames 3
sleep 1  # time for the pipe to fill, so the device thread is stuck in its write
e2e_running || e2e_fail "zephal3d ended by itself"
music_escape
e2e_wait_exit 15
e2e_expect_status 0
e2e_stderr_has "zephal3d: sound: the sound device does not respond; leaving it" || e2e_fail "no word about the stuck device"
echo "stuck_device: ok"
