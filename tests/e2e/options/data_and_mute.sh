# --data DIR --mute, started in a folder without data: the scene and its images come from DIR,
# R appends to traj.txt where the demo was started (not in DIR), and with music at hand and a
# sound device ready, no device is opened and no music is read.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../music/music.sh"
e2e_xvfb -s 800x600
e2e_data
E2E_FAKETIME='+0 x0.01'  # the camera stays at its start whether or not the flight drives it
music_write 44100
sink=$E2E_DIR/played.raw
music_sink "$sink"
mkdir "$E2E_DIR/start"
E2E_CWD=$E2E_DIR/start
e2e_start --data "$E2E_DIR" --mute
e2e_wait_window Zephal3D
e2e_wait_frames 3
e2e_shot "$E2E_DIR/shot.png"
e2e_expect_scene "$E2E_DIR/shot.png" 0 0 800 600
e2e_focus "$E2E_WIN"
traj=$E2E_CWD/traj.txt
traj_written() { [ -s "$traj" ]; }
e2e_key r
e2e_wait_until 30 "a camera block in traj.txt" traj_written
e2e_key Escape
e2e_wait_exit 15
e2e_expect_status 0
[ ! -e "$E2E_DIR/traj.txt" ] || e2e_fail "traj.txt went into the data folder"
grep -q '^posFinSource\[0\].x = ' "$traj" || e2e_fail "no camera block in $traj"
[ ! -e "$sink" ] || e2e_fail "a sound device was opened"
[ "$(music_message_count)" = 0 ] || e2e_fail "music messages with --mute"
echo "data_and_mute: ok"
