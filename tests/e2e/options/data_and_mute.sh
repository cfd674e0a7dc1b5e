# --data DIR --mute started in an empty folder: the scene comes from DIR, R appends to traj.txt
# in the starting folder, and no sound device is opened though music and a device are there.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../music/music.sh"
e2e_xvfb -s 800x600
e2e_data
E2E_FAKETIME='+0 x0.01'  # the camera stays at its start whether or not the flight drives it
music_write 44100
music_sink "$E2E_DIR/played.raw"
E2E_CWD=$E2E_DIR/start
mkdir "$E2E_CWD"
e2e_start --data "$E2E_DIR" --mute
e2e_wait_window Zephal3D
e2e_wait_frames 3
e2e_wait_scene "$E2E_DIR/shot.png" 0 0 800 600
e2e_focus "$E2E_WIN"
traj_written() { grep -q '^posFinSource\[0\].x = ' "$E2E_CWD/traj.txt" 2>/dev/null; }
e2e_key r
e2e_wait_until 30 "a camera block in the starting folder's traj.txt" traj_written
e2e_key Escape
e2e_wait_exit 15
e2e_expect_status 0
[ ! -e "$E2E_DIR/traj.txt" ] && [ ! -e "$E2E_DIR/played.raw" ] || e2e_fail "traj.txt in DIR, or a device opened"
echo "data_and_mute: ok"
