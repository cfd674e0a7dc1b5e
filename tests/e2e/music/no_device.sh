# Without a sound device the demo runs silent, says so once, and ends as usual on Escape.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/music.sh"
e2e_xvfb -s 800x600
e2e_data
music_write 44100
music_home "$(printf 'type hw\ncard 99')"
e2e_start
e2e_wait_window Zephal3D
e2e_wait_frames 3
e2e_running || e2e_fail "zephal3d ended by itself"
music_escape
e2e_wait_exit 15
e2e_expect_status 0
e2e_stderr_has 'zephal3d: no music: the sound device "default" cannot be opened' || e2e_fail "no word about the device"
[ "$(music_message_count)" = 1 ] || e2e_fail "expected one message about the music"
echo "no_device: ok"
