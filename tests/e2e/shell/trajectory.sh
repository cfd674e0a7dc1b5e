# R held appends one camera block per frame to traj.txt; the camera is the scene's, or on
# the first leg of the flight once the camera script drives it.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 800x600
e2e_data
echo "kept line" >"$E2E_DIR/traj.txt"
e2e_start
e2e_wait_window Zephal3D
e2e_focus "$E2E_WIN"
traj=$E2E_DIR/traj.txt
traj_lines_reach() { (($(wc -l <"$traj") >= $1)); }
e2e_keydown r
# Held until a few blocks are in, however slowly the frames come.
e2e_wait_until 30 "three blocks while R is held" traj_lines_reach 22
e2e_keyup r
e2e_wait_frames 2
frames=$(e2e_frames)
e2e_key Escape
e2e_wait_exit 15
e2e_expect_status 0

[ "$(head -n1 "$traj")" = "kept line" ] || e2e_fail "traj.txt was not appended to"
blocks=$(tail -n +2 "$traj" | awk 'NR % 7 == 0' | wc -l)
((blocks >= 2)) || e2e_fail "only $blocks blocks while R was held"
((blocks <= frames)) || e2e_fail "$blocks blocks for $frames frames"
# Every block: seven lines in the fixed format, the eye on the leg from E0 to E1 and the
# target on the leg from T0 to T1 (the scene's camera stands at E0 looking at T0).
tail -n +2 "$traj" | awk -v n="$blocks" '
  function onLeg(p, a, b,   t, d, i, l2, dist) {
    l2 = 0; t = 0
    for (i = 1; i <= 3; i++) { d[i] = b[i] - a[i]; l2 += d[i] * d[i]; t += (p[i] - a[i]) * d[i] }
    t /= l2
    if (t < -0.001 || t > 1.001) return 0
    dist = 0
    for (i = 1; i <= 3; i++) dist += (a[i] + t * d[i] - p[i]) ^ 2
    return dist < 0.01
  }
  BEGIN {
    split("-107.25005 -948.4507 52.307007", e0, " "); split("-118.90645 -765.0155 48.307007", e1, " ")
    split("-180.97122 -585.11456 23.182861", t0, " "); split("-287.7559 -434.9591 98.18286", t1, " ")
    split("posFinSource[0].x posFinSource[0].y posFinSource[0].z posFinTarget[2].x posFinTarget[2].y posFinTarget[2].z", names, " ")
  }
  {
    k = (NR - 1) % 7 + 1
    if (k == 7) {
      if ($0 != "") { print "line " NR " should be empty: " $0; bad = 1 }
      if (!onLeg(eye, e0, e1) || !onLeg(tgt, t0, t1)) { print "block ending at line " NR " is off the flight"; bad = 1 }
      next
    }
    if ($1 != names[k] || $2 != "=" || $3 !~ /^-?[0-9]+\.[0-9][0-9][0-9][0-9][0-9][0-9];$/) { print "bad line " NR ": " $0; bad = 1 }
    v = substr($3, 1, length($3) - 1) + 0
    if (k <= 3) eye[k] = v; else tgt[k - 3] = v
  }
  END { if (NR != 7 * n) { print "ragged file: " NR " lines"; bad = 1 } exit bad }
' || e2e_fail "traj.txt does not hold the camera blocks"
echo "trajectory: ok ($blocks blocks)"
