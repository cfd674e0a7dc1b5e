# Minimised under a window manager the demo draws no frames; restored, it draws again.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 800x600 -wm
e2e_data
e2e_start
e2e_wait_window Zephal3D
e2e_wait_until 30 "frames drawn" e2e_frames_reach 1
timeout 10 xdotool windowminimize --sync "$E2E_WIN" || e2e_fail "the window was not minimised"
# Once the demo has taken the news, the count stands still.
hidden=$(e2e_frames)
for _ in $(seq 20); do
  sleep 0.3
  now=$(e2e_frames)
  [ "$now" = "$hidden" ] && break
  hidden=$now
done
sleep 1
(($(e2e_frames) == hidden)) || e2e_fail "frames drawn while minimised: $hidden, then $(e2e_frames)"
e2e_running || e2e_fail "zephal3d ended while minimised"
e2e_focus "$E2E_WIN"
e2e_wait_until 30 "frames after restoring" e2e_frames_reach $((hidden + 1))
e2e_key Escape
e2e_wait_exit 15
e2e_expect_status 0
echo "minimise: ok"
