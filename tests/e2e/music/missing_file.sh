# Without "sorvel.mp3" the demo runs silent with one line on stderr and ends as usual on Escape.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/music.sh"
e2e_xvfb -s 800x600
e2e_data
music_sink "$E2E_DIR/capture.raw"
e2e_start
e2e_wait_window Zephal3D
e2e_wait_frames 3
music_escape
e2e_wait_exit 15
e2e_expect_status 0
e2e_stderr_has 'zephal3d: no music: cannot read "sorvel.mp3"' || e2e_fail "no word about the missing music"
[ "$(music_message_count)" = 1 ] || e2e_fail "expected one message about the music"
[ ! -s "$E2E_DIR/capture.raw" ] || e2e_fail "something was played"
echo "missing_file: ok"
