# Walks faults.txt: for each row, the test scene with that fault, and what the demo does. Nothing
# grows either: after 50 presses of F1 the GL context holds as many textures as after 2, and the
# resident memory is within kRssSlackKb of what it was. E2E_FAULTS=REGEX walks only the rows it matches.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../music/music.sh"
e2e_xvfb -s 1024x768

table="$(dirname "$E2E_SCRIPT")/faults.txt"
kOutcomeSeconds=10
# Allocator and driver noise over 48 toggles; one leaked window with its context is far more.
kRssSlackKb=4096

# The display offers the demo's two sizes beside its own, so fullscreen switches without asking.
e2e_offer_modes 800x600 640x480

# Bytes that are no file format, the same on every run.
random_bytes() { LC_ALL=C awk -v n="$1" 'BEGIN { srand(7); for (i = 0; i < n; i++) printf "%c", int(rand() * 256) }'; }

damage() {
  local file=$1 fault=$2 path="$E2E_DIR/$1" size
  case $fault in
    missing) rm "$path" ;;
    empty) : >"$path" ;;
    cut:half) size=$(stat -c %s "$path"); truncate -s $((size / 2)) "$path" ;;
    cut:*) truncate -s "${fault#cut:}" "$path" ;;
    png) convert -size 16x16 xc:red "png:$path" ;;
    mp3) cp "$E2E_DIR/sorvel.mp3" "$path" ;;
    random) random_bytes 65536 >"$path" ;;
    nomode) xrandr --delmode screen z3d-800x600 ;;
    nodevice) music_home "$(printf 'type hw\ncard 99')" ;;
    none | closeatstart | f1x50) ;;
    *) e2e_fail "unknown fault $fault" ;;
  esac
}

answer_boxes() {
  local box caption key
  [ "$1" = - ] && return 0
  IFS=, read -ra boxes <<<"$1"
  for box in "${boxes[@]}"; do
    caption=${box%%:*}
    key=Return
    [ "$box" != "$caption" ] && key=${box#*:}
    e2e_answer "${caption//_/ }" "$key"
  done
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# The outcome (the exit, or the show's first frames) came within kOutcomeSeconds of the start.
expect_in_time() {
  local took=$(($(now_ms) - $1))
  ((took <= kOutcomeSeconds * 1000)) || e2e_fail "the outcome took $took ms"
}

# F1, then the re-created window (E2E_WIN) with a frame drawn in it.
toggle() {
  local views
  views=$(e2e_viewports)
  e2e_focus "$E2E_WIN"
  e2e_key F1
  e2e_wait_until 30 "the window after F1" e2e_viewports_reach $((views + 1))
  e2e_wait_frames 1
  e2e_wait_window "Zephal 3D"
}

resident_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$E2E_PID/status"; }

press_f1_50_times() {
  local textures rss i
  for i in 1 2; do toggle; done
  textures=$(e2e_textures)
  rss=$(resident_kb)
  for i in $(seq 48); do toggle; done
  [ "$(e2e_textures)" = "$textures" ] || e2e_fail "textures after 50 F1: $(e2e_textures), after 2: $textures"
  # The address sanitizer keeps freed memory in quarantine: resident memory says nothing there.
  if [ -z "${ASAN_OPTIONS:-}" ] && (($(resident_kb) > rss + kRssSlackKb)); then
    e2e_fail "resident memory grew from $rss kB after 2 F1 to $(resident_kb) kB after 50"
  fi
  echo "  f1x50: $textures textures, resident $rss kB after 2 presses, $(resident_kb) kB after 50"
}

check_music() {
  case $1 in
    plays) music_wait_bytes "$E2E_DIR/music.raw" 1 "$kOutcomeSeconds" ;;
    silent) sleep 1; [ ! -s "$E2E_DIR/music.raw" ] || e2e_fail "music was played" ;;
  esac
}

run_row() {
  local file=$1 fault=$2 boxes=$3 end=$4 textures=$5 music=$6 text=$7 started
  e2e_data
  music_write 44100
  music_sink "$E2E_DIR/music.raw"
  damage "$file" "$fault"
  started=$(now_ms)
  e2e_start
  answer_boxes "$boxes"
  case $end in
    exit:*)
      [ "$fault" = closeatstart ] && { e2e_wait_window Zephal3D; e2e_close_request "$E2E_WIN"; }
      e2e_wait_exit "$kOutcomeSeconds"
      expect_in_time "$started"
      e2e_expect_status "${end#exit:}"
      ;;
    runs)
      e2e_wait_window Zephal3D
      e2e_wait_until "$kOutcomeSeconds" "3 frames" e2e_frames_reach 3
      expect_in_time "$started"
      ((textures == -1)) || [ "$(e2e_textures)" = "$textures" ] ||
        e2e_fail "$(e2e_textures) textures, expected $textures"
      check_music "$music"
      [ "$fault" = f1x50 ] && press_f1_50_times
      e2e_focus "$E2E_WIN"
      e2e_key Escape
      e2e_wait_exit "$kOutcomeSeconds"
      e2e_expect_status 0
      ;;
  esac
  [ "$text" = - ] || e2e_stderr_has "$text" || e2e_fail "stderr lacks: $text"
  echo "ok: $file $fault ($(($(now_ms) - started)) ms)"
  rm -rf "$E2E_DIR"
  E2E_DIR=""
  [ "$fault" = nomode ] && xrandr --addmode screen z3d-800x600
  return 0
}

rows=0
while read -r file fault boxes end textures music text; do
  [[ -z "$file" || "$file" == \#* ]] && continue
  [[ "$file $fault" =~ ${E2E_FAULTS:-.} ]] || continue
  [ "$textures" = - ] && textures=-1
  run_row "$file" "$fault" "$boxes" "$end" "$textures" "$music" "$text" ||
    e2e_fail "row: $file $fault"
  rows=$((rows + 1))
done <"$table"
[ -n "${E2E_FAULTS:-}" ] || ((rows > 40)) || e2e_fail "only $rows rows in $table"
echo "fault_matrix: ok ($rows rows)"
