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
sleep 1
e2e_running || e2e_fail "zephal3d ended by itself"
music_escape
e2e_wait_exit 5
e2e_expect_status 0
e2e_stderr_has "the sound device does not respond" || e2e_fail "no word about the stuck device"
echo "stuck_device: ok"
