# cmake --install into a temporary DESTDIR (or the package Z3D_DEB unpacked): the installed
# zephal3d, started from an empty folder without --data, finds its data beside itself and shows the
# show; the data lookup order (option, working folder, installed folder, none); the tools, menu
# entry, icons and man pages in place.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 800x600
e2e_data
root=$E2E_DIR/root
# The build's list of installed files serves the user's own install for uninstalling: kept as it was.
manifest=$Z3D_BUILD_DIR/install_manifest.txt
[ ! -f "$manifest" ] || cp "$manifest" "$E2E_DIR/manifest"
# Z3D_DEB names a built package to check instead: its files unpacked as apt would place them.
if [ -n "${Z3D_DEB:-}" ]; then
  dpkg-deb -x "$Z3D_DEB" "$root" || e2e_fail "cannot unpack $Z3D_DEB"
else
  DESTDIR=$root cmake --install "$Z3D_BUILD_DIR" --prefix /usr >/dev/null || e2e_fail "cmake --install failed"
fi
if [ -f "$E2E_DIR/manifest" ]; then cp "$E2E_DIR/manifest" "$manifest"; else rm -f "$manifest"; fi
bin=$root/usr/bin share=$root/usr/share/zephal3d
Z3D_EXE=$bin/zephal3d

for f in applications/zephal3d.desktop man/man6/zephal3d.6 man/man1/zephal3d-{capture,mp3dec,sceneinfo,bmpinfo}.1; do
  [ -f "$root/usr/share/$f" ] || [ -f "$root/usr/share/$f.gz" ] || e2e_fail "not installed: share/$f"  # the package compresses man pages
done
for size in 48 128 256; do
  icon=$root/usr/share/icons/hicolor/${size}x$size/apps/zephal3d.png
  [ "$(identify -format %wx%h "$icon" 2>/dev/null)" = "${size}x$size" ] || e2e_fail "no ${size} px icon at $icon"
done
[ ! -e "$bin/capture" ] && [ ! -e "$bin/gendata" ] || e2e_fail "a tool installed under its build name"

# Two 800 x 600 pictures shrunk to a quarter as the picture gate shrinks them: at most $3 pixels differ.
expect_picture() {
  local off
  convert "$1" -filter box -resize 25% -strip "$1.small.png"
  convert "$2" -filter box -resize 25% -strip "$2.small.png"
  off=$(compare -metric AE -fuzz 2% "$1.small.png" "$2.small.png" null: 2>&1 || true)
  [[ $off =~ ^[0-9]+$ ]] && ((off <= $3)) || e2e_fail "$4: $off of 30000 pixels off"
  echo "  $4: $off pixels off"
}

# Starts the demo in folder $1 with the rest as arguments; once it shows, its working directory
# must be folder $2, where it read its data.
expect_data_from() {
  local start=$1 want=$2
  shift 2
  E2E_CWD=$start e2e_start --mute "$@"
  e2e_wait_window Zephal3D
  # The window's own process: under faketime the started one is a parent.
  local cwd
  cwd=$(readlink "/proc/$(xdotool getwindowpid "$E2E_WIN")/cwd")
  [ "$cwd" = "$want" ] || e2e_fail "data read from $cwd, expected $want"
}
end_demo() {
  e2e_focus "$E2E_WIN"
  e2e_key Escape
  e2e_wait_exit 15
  e2e_expect_status 0
}

mkdir "$E2E_DIR/empty" "$E2E_DIR/work"
"$Z3D_WRITE_SCENE" "$E2E_DIR/work" || e2e_fail "cannot write the test scene"

# The installed demo, started without --data in an empty folder, shows the frame the installed
# capture draws at 2 ms (its clock slowed to a millisecond a second; white while it reads 0 ms).
"$bin/zephal3d-capture" --data "$share" --fps 1000 --out "$E2E_DIR/still" 0.002 >/dev/null 2>&1 ||
  e2e_fail "zephal3d-capture failed"
E2E_FAKETIME='+0 x0.001'
expect_data_from "$E2E_DIR/empty" "$share"
e2e_wait_frames 3
for _ in $(seq 20); do
  e2e_shot "$E2E_DIR/shot.png"
  [ "$(e2e_pixel "$E2E_DIR/shot.png" 20 20)" != "255 255 255" ] && break
  sleep 0.2
done
# A few milliseconds either way move the camera by little (5 ms: 3 %); other data or none change it all.
expect_picture "$E2E_DIR/shot.png" "$E2E_DIR/still-000002.ppm" 1500 "installed demo"
end_demo
unset E2E_FAKETIME
expect_data_from "$E2E_DIR/work" "$E2E_DIR/work"
end_demo
expect_data_from "$E2E_DIR/work" "$E2E_DIR" --data "$E2E_DIR"
end_demo

# A program without data beside it, started where there are none: one line naming both places.
mkdir -p "$E2E_DIR/bare/bin"
cp "$Z3D_EXE" "$E2E_DIR/bare/bin/"
Z3D_EXE=$E2E_DIR/bare/bin/zephal3d
E2E_CWD=$E2E_DIR/empty e2e_start
e2e_wait_exit 15
e2e_expect_status 1
[ "$(wc -l <"$E2E_DIR/stderr")" = 1 ] && e2e_stderr_has "\"$E2E_DIR/empty\"" &&
  e2e_stderr_has "\"$E2E_DIR/bare/share/zephal3d\"" || e2e_fail "expected one line naming both places"

# The tools under their installed names.
json=$("$bin/zephal3d-sceneinfo" "$share/scenedemo.3DS") || e2e_fail "zephal3d-sceneinfo failed"
[[ $json == '{"materials":[{"number":0,'*'"cameras":[{'* ]] || e2e_fail "zephal3d-sceneinfo printed: ${json:0:80}"
size=$("$bin/zephal3d-bmpinfo" "$share/greets.bmp" "$E2E_DIR/greets.rgb") || e2e_fail "zephal3d-bmpinfo failed"
[ "$size" = "$(identify -format '%w %h' "$share/greets.bmp")" ] || e2e_fail "zephal3d-bmpinfo says $size"
"$bin/zephal3d-mp3dec" "$share/sorvel.mp3" "$E2E_DIR/music.wav" || e2e_fail "zephal3d-mp3dec failed"
# 44.1 kHz 16-bit stereo: 176400 bytes a second; the song lasts well over a minute.
[ "$(head -c 12 "$E2E_DIR/music.wav" | tail -c 4)" = WAVE ] && (($(stat -c %s "$E2E_DIR/music.wav") > 60 * 176400)) ||
  e2e_fail "zephal3d-mp3dec wrote no WAV file of the song"
# A usage line names the tool as it is installed, not as it was built.
for tool in capture mp3dec sceneinfo bmpinfo; do
  said=$("$bin/zephal3d-$tool" --frames 2>&1 || true)  # capture's unknown option; a lone file name for the others
  [[ $said == *"usage: zephal3d-$tool "* ]] || e2e_fail "zephal3d-$tool's usage names another program: $said"
done
echo "install: ok"
