# The display-mode question and the closing message answer to the keys and clicks users know:
# N, and Space on the message; Y; Right and Return, and a click on OK; a click on No, and Escape.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 1024x768
e2e_data

# Clicks the middle of button INDEX (0-based) of COUNT in the message box BOX: buttons are
# 80 x 26 pixels, 12 apart, centred in a row 16 pixels above the box's bottom edge.
click_button() {
  local box=$1 index=$2 count=$3 w h x y
  read -r w h x y <<<"$(e2e_geometry "$box")"
  local row=$((count * 80 + (count - 1) * 12))
  xdotool mousemove $((x + (w - row) / 2 + index * 92 + 40)) $((y + h - 16 - 13)) click 1
}
box() { e2e_find_window "$1" || e2e_fail "no message box '$1'"; }
expect_closed() {
  e2e_wait_exit 15
  e2e_expect_status 0
  e2e_stderr_has "ERROR: Program Will Now Close." || e2e_fail "$1: no closing message"
}

e2e_start
e2e_answer "Kiro GL" n
e2e_answer ERROR space
expect_closed "N"

e2e_start
e2e_answer "Kiro GL" y
e2e_wait_window Zephal3D
! e2e_stderr_has "Program Will Now Close." || e2e_fail "Y: the closing message came"
e2e_focus "$E2E_WIN"
e2e_key Escape
e2e_wait_exit 15
e2e_expect_status 0

e2e_start
e2e_answer "Kiro GL" Right
e2e_key Return
click_button "$(box ERROR)" 0 1
expect_closed "Right, Return"

e2e_start
click_button "$(box "Kiro GL")" 1 2
e2e_answer ERROR Escape
expect_closed "a click on No"
echo "question_answers: ok"
