# Music helpers of the end-to-end tests, beside lib.sh: the demo's "sorvel.mp3" and a HOME whose
# .asoundrc says what ALSA's "default" PCM is.

# music_write RATE [TONE_SECONDS [SILENCE_SECONDS]]: E2E_DIR/sorvel.mp3, ending in silence.
music_write() {
  "$Z3D_WRITE_MUSIC" "$E2E_DIR/sorvel.mp3" "$1" "${2:-1.5}" "${3:-0.5}" || e2e_fail "cannot write the test music"
}

# music_home PCM_BODY [PREAMBLE]: the demo's HOME, whose "default" PCM is the given definition
# (after PREAMBLE, the lines it needs before it, such as a plugin's pcm_type).
music_home() {
  mkdir -p "$E2E_DIR/home"
  { [ -z "${2:-}" ] || printf '%s\n' "$2"; printf 'pcm.!default {\n%s\n}\n' "$1"; } >"$E2E_DIR/home/.asoundrc"
  export HOME="$E2E_DIR/home"
}

# music_sink FILE [FORMAT]: "default" writes what it plays into FILE ("raw" or "wav"), unpaced.
music_sink() {
  music_home "$(printf 'type file\nslave.pcm "null"\nformat "%s"\nfile "%s"' "${2:-raw}" "$1")"
}

music_bytes() { stat -c %s "$1" 2>/dev/null || echo 0; }
music_holds() { (($(music_bytes "$1") >= $2)); }

# music_wait_bytes FILE COUNT SECONDS: waits until FILE holds COUNT bytes.
music_wait_bytes() {
  e2e_wait_until "$3" "$2 bytes of music in $1" music_holds "$1" "$2"
}

# music_reference RAW: what mp3dec decodes from E2E_DIR/sorvel.mp3 in one pass; prints its size.
music_reference() {
  "$Z3D_MP3DEC" -r "$E2E_DIR/sorvel.mp3" "$1" >/dev/null || e2e_fail "mp3dec cannot decode the test music"
  stat -c %s "$1"
}

# music_message_count: lines of the demo's stderr about its music.
music_message_count() {
  grep -c 'music' "$E2E_DIR/stderr" || true
}

# music_escape: Escape, sent once the demo's window has the keyboard focus, and held a moment
# while the unpaced music keeps the machine busy.
music_escape() {
  e2e_focus "$E2E_WIN"
  e2e_keydown Escape
  sleep 0.5
  e2e_keyup Escape 2>/dev/null || true
}

# music_fault_device CAPTURE LOG FAULTS: "default" is the tests' paced device, which plays into
# CAPTURE, logs its faults into LOG and fails as FAULTS say ("underrun@300000 suspend@700000";
# see tests/alsa_fault/fault_pcm.cpp).
music_fault_device() {
  music_home "$(printf 'type z3dfault\nfile "%s"\nlog "%s"\nfaults "%s"' "$1" "$2" "$3")" \
    "pcm_type.z3dfault { lib \"$Z3D_FAULT_PCM\" }"
}

# music_logged LOG WHAT: the device has logged a fault of this kind.
music_logged() { grep -q "^$2 " "$1" 2>/dev/null; }

# music_less_cuts REFERENCE LOG OUT: what the device should have played of REFERENCE, less the bytes
# each logged fault cut ("WHAT at PLAYED-BYTES cut BYTES" per line).
music_less_cuts() {
  local ref=$1 log=$2 out=$3 from=0 skipped=0 what at cut
  : >"$out"
  while read -r what _ at _ cut; do
    head -c $((at + skipped)) "$ref" | tail -c +$((from + skipped + 1)) >>"$out"  # no SIGPIPE under pipefail
    from=$at
    skipped=$((skipped + cut))
  done <"$log"
  tail -c +$((from + skipped + 1)) "$ref" >>"$out"
}
