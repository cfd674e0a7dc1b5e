# The display-mode question answers to N, to a click on No and to Y; the closing message to Space.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 1024x768
e2e_data
# Buttons are 80 x 26 pixels, 12 apart, centred in a row 16 pixels above the box's bottom edge.
click_no() {
  local w h x y
  read -r w h x y <<<"$(e2e_geometry "$1")"
  xdotool mousemove $((x + w / 2 + 6 + 40)) $((y + h - 16 - 13)) click 1
}
expect_closed() {
  e2e_answer ERROR space
  e2e_wait_exit 15
  e2e_expect_status 0
  e2e_stderr_has "ERROR: Program Will Now Close." || e2e_fail "$1: no closing message"
}

e2e_start
e2e_answer "Kiro GL" n
expect_closed "N"
e2e_start
click_no "$(e2e_find_window "Kiro GL")"
expect_closed "a click on No"
e2e_start
e2e_answer "Kiro GL" y
e2e_wait_window Zephal3D
e2e_focus "$E2E_WIN"
e2e_key Escape
e2e_wait_exit 15
e2e_expect_status 0
echo "question_answers: ok"
