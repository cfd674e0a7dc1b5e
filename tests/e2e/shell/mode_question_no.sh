# The question answered No: "Program Will Now Close." and exit status 0, no demo window.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 1024x768
e2e_data
e2e_start
e2e_answer "Kiro GL" Escape
e2e_answer ERROR Return
e2e_wait_exit 15
e2e_expect_status 0
e2e_stderr_has "zephal3d: ERROR: Program Will Now Close." || e2e_fail "no closing message on stderr"
echo "mode_question_no: ok"
