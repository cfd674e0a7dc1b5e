# A monitor that does not exist is a usage error that lists the monitors; --benchmark with
# --desktop runs the flight (on a clock ten times faster) and reports on stdout.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 1280x1024
e2e_data
e2e_start --monitor 1 --mute
e2e_wait_exit 10
e2e_expect_status 2
e2e_stderr_has "zephal3d: --monitor: there is no monitor 1; the monitors are:" || e2e_fail "no word of the monitor"
e2e_stderr_has "0: screen 1280x1024" || e2e_fail "the monitors are not listed"

E2E_FAKETIME='+0 x10' e2e_start --benchmark --desktop --mute
e2e_wait_exit 60
e2e_expect_status 0
report=$E2E_DIR/stdout
for line in "renderer: " "version: " "picture: 1280x1024 (the show 1280x960)" "average: " "1% low: " \
    "slowest frame: " "flight: " "sparks in view: " "greets scroll: "; do
  grep -q "^$line" "$report" || e2e_fail "the report has no line '$line'"
done
frames=$(awk '/^frames:/ {print $2}' "$report")
drawn=$(e2e_frames)
# Each frame clears twice (the bars, then the frame); the first frame is only the clock's start.
((frames == drawn / 2 - 1)) || e2e_fail "the report counts $frames frames, the demo drew $((drawn / 2))"
stretches=$(awk -F'[(]' '/ fps \(/ {split($2, n, " "); sum += n[1]} END {print sum}' "$report")
((stretches == frames)) || e2e_fail "the stretches hold $stretches frames, not all $frames"
echo "monitor_benchmark: ok"
