# End-to-end harness: runs the real zephal3d under Xvfb, drives it with xdotool and looks
# at what it shows. Source it from a test script (bash) and call the e2e_* functions:
#
#   . "$(dirname "$0")/../lib.sh"
#   e2e_xvfb -s 1024x768 -wm   # first: re-runs this script on an Xvfb of its own (screen size,
#                              # optionally under openbox); the screen size picks the display mode
#   e2e_sway -s 1920x1080      # or instead: on a Wayland desktop of its own, sway with Xwayland
#                              # (with-sway; skips the test where sway is not installed)
#   e2e_data                   # a temp folder E2E_DIR with the test scene and its images
#                              # (e2e_data --no-camera: a scene without a camera)
#   e2e_start [ARG...]         # zephal3d in E2E_DIR; stdout/stderr kept in E2E_DIR/{stdout,stderr}
#                              # E2E_FAKETIME='+0 x10' beforehand runs its clocks 10x faster;
#                              # E2E_CWD=FOLDER starts it there instead; E2E_CLOSED_FD=N starts
#                              # it without descriptor N (0 stdin, 1 stdout: then none is kept)
#   e2e_wait_window 'Zephal3D' # waits for a shown window with exactly this title: E2E_WIN
#   e2e_focus WIN              # gives a window the keyboard focus and waits until it has it
#   e2e_key Escape             # a key press and release to the focused window (xdotool names)
#   e2e_keydown r; e2e_keyup r # hold and release
#   e2e_answer 'Kiro GL' Return  # waits for a message box and answers it with a key
#   e2e_close_request WIN      # the window manager's close request (WM_DELETE_WINDOW)
#   e2e_shot FILE              # screenshot of the whole screen (grim's on Wayland)
#   e2e_pixel FILE X Y         # prints "R G B" (0-255) of one pixel
#   e2e_geometry WIN           # prints "WIDTH HEIGHT X Y" of a window's client area
#   e2e_frames, e2e_viewports  # glClear and glViewport calls so far (frames drawn, views set)
#   e2e_textures               # texture objects in the GL context at the last frame drawn
#   e2e_wait_frames N          # waits until the demo has drawn N more frames
#   e2e_wait_until SECONDS WHAT COMMAND...  # polls COMMAND until it succeeds, or fails naming WHAT
#   e2e_frames_reach N, e2e_viewports_reach N  # the counts have reached N (for e2e_wait_until)
#   e2e_wait_exit SECONDS      # waits for the exit: E2E_STATUS; kills the demo after the time
#   e2e_stderr_has TEXT        # the demo's stderr holds this text
#   e2e_fail MESSAGE           # prints MESSAGE and the demo's output, ends the test with 1
#
#   e2e_expect_scene FILE X Y W H  # the test scene's wall and background in a client area
#   e2e_wait_scene FILE X Y W H    # screenshots into FILE until they show it (10 s at most)
#   e2e_expect_framed WIN      # the window manager gave the window a title bar
#   e2e_expect_framed_scene WIN W H  # a framed client area of W x H showing the test scene
#   e2e_expect_status N        # the exit status was N
#   e2e_f1_to_window           # F1 to E2E_WIN gives the framed 640 x 480 window "Zephal 3D": E2E_WIN
#   e2e_offer_modes 800x600 640x480  # the display offers these sizes beside its own (as z3d-WxH)
#   e2e_screen_mode            # prints the size of the display's current mode, e.g. 800x600
#
# Register a script in tests/e2e/<folder>/CMakeLists.txt with z3d_add_e2e_test(NAME script.sh);
# CTest then gives the paths: Z3D_EXE, Z3D_WRITE_SCENE, Z3D_SEND_WM_DELETE, Z3D_GL_COUNTER,
# Z3D_WITH_XVFB, Z3D_WITH_SWAY. The demo inherits the script's environment (export HOME, for instance, to
# give it an .asoundrc of the test's own). E2E_KEEP=1 keeps the temp folder.

set -euo pipefail

E2E_SCRIPT=$(readlink -f "$0")
E2E_DIR=""
E2E_PID=""
E2E_WIN=""
E2E_STATUS=""

e2e_fail() {
  echo "FAIL: $*" >&2
  if [ -n "$E2E_DIR" ]; then
    echo "--- zephal3d stderr:" >&2
    cat "$E2E_DIR/stderr" 2>/dev/null >&2 || true
    echo "--- zephal3d stdout:" >&2
    cat "$E2E_DIR/stdout" 2>/dev/null >&2 || true
  fi
  exit 1
}

e2e_cleanup() {
  if [ -n "$E2E_PID" ] && kill -0 "$E2E_PID" 2>/dev/null; then
    kill "$E2E_PID" 2>/dev/null || true
    kill -CONT "$E2E_PID" 2>/dev/null || true  # a test may have stopped it
    wait "$E2E_PID" 2>/dev/null || true
  fi
  if [ -n "$E2E_DIR" ] && [ -z "${E2E_KEEP:-}" ]; then rm -rf "$E2E_DIR"; fi
  if [ -n "$E2E_DIR" ] && [ -n "${E2E_KEEP:-}" ]; then echo "kept $E2E_DIR" >&2; fi
}
trap e2e_cleanup EXIT

e2e_xvfb() {
  if [ -z "${E2E_ON_XVFB:-}" ]; then
    export E2E_ON_XVFB=1
    exec "$Z3D_WITH_XVFB" "$@" bash "$E2E_SCRIPT"
  fi
}

e2e_sway() {
  if [ -z "${E2E_ON_SWAY:-}" ]; then
    export E2E_ON_SWAY=1
    exec "$Z3D_WITH_SWAY" "$@" bash "$E2E_SCRIPT"
  fi
}

e2e_data() {
  E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/z3d-e2e.XXXXXX")
  "$Z3D_WRITE_SCENE" "$E2E_DIR" "$@" || e2e_fail "cannot write the test scene"
}

e2e_start() {
  # A background job of a script starts with SIGINT ignored; the demo gets it as from a terminal.
  local run=(env --default-signal=INT "LD_PRELOAD=$Z3D_GL_COUNTER${LD_PRELOAD:+:$LD_PRELOAD}"
    "Z3D_GL_COUNTS=$E2E_DIR/.gl-counts")
  if [ -n "${E2E_FAKETIME:-}" ]; then run+=(faketime -f "$E2E_FAKETIME"); fi
  local closed=${E2E_CLOSED_FD:-}
  (
    cd "${E2E_CWD:-$E2E_DIR}"
    exec >"$E2E_DIR/stdout" 2>"$E2E_DIR/stderr"
    if [ -n "$closed" ]; then exec {closed}>&-; fi
    exec "${run[@]}" "$Z3D_EXE" "$@"
  ) &
  E2E_PID=$!
}

# The sockets a process holds, one "socket:[INODE]" a line.
e2e_sockets() {
  local fd
  for fd in /proc/"$1"/fd/*; do readlink "$fd" || true; done 2>/dev/null | grep '^socket:' | sort -u || true
}

e2e_running() {
  kill -0 "$E2E_PID" 2>/dev/null
}

# Prints the id of the shown window with exactly this title, waiting up to 30 s.
e2e_find_window() {
  local title=$1 id
  for _ in $(seq 300); do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    e2e_running || return 1
    sleep 0.1
  done
  return 1
}

e2e_wait_window() {
  E2E_WIN=$(e2e_find_window "$1") || e2e_fail "no window titled '$1'"
}

# Gives a window the keyboard focus (activating it through the window manager if there is
# one) and waits until it has it.
e2e_focus() {
  local win=$1
  for _ in $(seq 100); do
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$win" ] && return 0
    xdotool windowactivate "$win" 2>/dev/null || xdotool windowfocus "$win" 2>/dev/null || true
    sleep 0.1
  done
  e2e_fail "window $win does not get the focus"
}

e2e_key() { xdotool key "$@"; }
e2e_keydown() { xdotool keydown "$@"; }
e2e_keyup() { xdotool keyup "$@"; }

e2e_answer() {
  local box
  box=$(e2e_find_window "$1") || e2e_fail "no message box '$1'"
  e2e_focus "$box"
  xdotool key "$2"
}

e2e_close_request() {
  "$Z3D_SEND_WM_DELETE" "$1" || e2e_fail "cannot send the close request"
}

# A capture can fail while a window is being mapped or unmapped: try again.
e2e_shot() {
  local shoot=(import -window root)
  # Xwayland's root window holds no pictures: the compositor has them.
  if [ -n "${WAYLAND_DISPLAY:-}" ]; then shoot=(grim -t png); fi
  for _ in 1 2 3; do
    "${shoot[@]}" "$1" 2>"$1.log" && return 0
    sleep 0.2
  done
  e2e_fail "no screenshot: $(cat "$1.log")"
}

e2e_pixel() {
  local f=$1 x=$2 y=$3
  convert "$f" -format "%[fx:round(255*p{$x,$y}.r)] %[fx:round(255*p{$x,$y}.g)] %[fx:round(255*p{$x,$y}.b)]" info:
}

e2e_geometry() {
  local WIDTH HEIGHT X Y WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$WIDTH $HEIGHT $X $Y"
}

e2e_counts() {
  od -An -tu8 -w24 "$E2E_DIR/.gl-counts" 2>/dev/null || echo "0 0 0"
}
e2e_frames() { e2e_counts | awk '{print $1 + 0}'; }
e2e_viewports() { e2e_counts | awk '{print $2 + 0}'; }
e2e_textures() { e2e_counts | awk '{print $3 + 0}'; }

e2e_wait_until() {
  local seconds=$1 what=$2
  shift 2
  for _ in $(seq $((seconds * 10))); do
    "$@" && return 0
    e2e_running || e2e_fail "zephal3d ended while waiting for $what"
    sleep 0.1
  done
  e2e_fail "no $what within $seconds s"
}

e2e_frames_reach() { (($(e2e_frames) >= $1)); }
e2e_viewports_reach() { (($(e2e_viewports) >= $1)); }

e2e_wait_frames() {
  e2e_wait_until 30 "$1 more frames" e2e_frames_reach $(($(e2e_frames) + $1))
}

e2e_wait_exit() {
  local seconds=$1
  for _ in $(seq $((seconds * 10))); do
    e2e_running || break
    sleep 0.1
  done
  if e2e_running; then
    local focus
    focus=$(xdotool getwindowfocus getwindowname 2>/dev/null || echo none)
    kill "$E2E_PID" 2>/dev/null || true
    e2e_fail "zephal3d did not end within $seconds s (focus on: $focus)"
  fi
  set +e
  wait "$E2E_PID"
  E2E_STATUS=$?
  set -e
}

e2e_stderr_has() {
  grep -qF -- "$1" "$E2E_DIR/stderr"
}

# The test scene as its camera sees it: the grey, fogged wall in the middle of the picture
# and the white background near a corner. Arguments: screenshot, then the client area's
# x, y, width and height on the screen. Prints what is wrong, nothing when all is right.
e2e_scene_problem() {
  local f=$1 x=$2 y=$3 w=$4 h=$5 r g b
  read -r r g b <<<"$(e2e_pixel "$f" $((x + w / 2)) $((y + h / 2)))"
  if ((r < 140 || r > 215 || r - g > 3 || g - r > 3 || g - b > 3 || b - g > 3)); then
    echo "expected the grey wall at the centre, found $r $g $b"
    return
  fi
  read -r r g b <<<"$(e2e_pixel "$f" $((x + 20)) $((y + 20)))"
  if ((r < 250 || g < 250 || b < 250)); then
    echo "expected the white background near the corner, found $r $g $b"
  fi
}

e2e_expect_scene() {
  local problem
  problem=$(e2e_scene_problem "$@")
  [ -z "$problem" ] || e2e_fail "$problem"
}

# Frames drawn while the show clock still reads 0 ms are white by design (no camera segment
# has begun), and a slowed clock stays there for a while: screenshots until the scene shows.
e2e_wait_scene() {
  local f=$1 problem
  shift
  for _ in $(seq 50); do
    e2e_shot "$f"
    problem=$(e2e_scene_problem "$f" "$@")
    [ -n "$problem" ] || return 0
    e2e_running || break
    sleep 0.2
  done
  e2e_fail "$problem"
}

# The window manager has put a frame with a title bar around the window.
e2e_expect_framed() {
  local extents
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p')
  local top
  top=$(echo "$extents" | awk -F', *' '{print $3 + 0}')
  [ "${top:-0}" -gt 0 ] || e2e_fail "window $1 has no title bar (frame extents: '$extents')"
}

e2e_expect_framed_scene() {
  local win=$1 width=$2 height=$3 w h x y
  read -r w h x y <<<"$(e2e_geometry "$win")"
  [ "$w $h" = "$width $height" ] || e2e_fail "window is ${w}x$h, expected ${width}x$height"
  e2e_expect_framed "$win"
  e2e_wait_frames 3
  e2e_wait_scene "$E2E_DIR/shot.png" "$x" "$y" "$width" "$height"
}

e2e_f1_to_window() {
  local w h x y
  e2e_focus "$E2E_WIN"
  e2e_key F1
  e2e_wait_window "Zephal 3D"
  read -r w h x y <<<"$(e2e_geometry "$E2E_WIN")"
  [ "$w $h" = "640 480" ] || e2e_fail "F1 gave a ${w}x$h window"
  e2e_expect_framed "$E2E_WIN"
}

e2e_expect_status() {
  [ "$E2E_STATUS" = "$1" ] || e2e_fail "exit status $E2E_STATUS, expected $1"
}

e2e_screen_mode() { xrandr --current | awk '$2 ~ /\*/ {sub(/^z3d-/, "", $1); print $1}'; }

# The demo's sizes as modes of the Xvfb screen, named z3d-WxH, so that fullscreen switches to them.
e2e_offer_modes() {
  local size
  for size in "$@"; do
    case $size in
      800x600) xrandr --newmode z3d-800x600 40 800 840 968 1056 600 601 605 628 ;;
      640x480) xrandr --newmode z3d-640x480 25 640 656 752 800 480 490 492 525 ;;
      *) e2e_fail "no mode line for $size" ;;
    esac
    xrandr --addmode screen "z3d-$size"
  done
}
