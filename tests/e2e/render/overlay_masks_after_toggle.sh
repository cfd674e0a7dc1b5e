# After F1 twice (two more GL set-ups) the greets panel still shows through its mask: where the
# mask's red is 0 the scene shows, where it is 255 the panel's colour does, whatever the mask's
# green and blue. The clocks run 20x faster so the end phase comes after about 4 s.
. "$(dirname "$0")/../lib.sh"
e2e_xvfb -s 800x600 -wm
e2e_data
# Panel colour green; mask red 0 on the left half (green and blue 255), 255 on the right half.
convert -size 64x64 xc:"rgb(0,255,0)" -type truecolor BMP3:"$E2E_DIR/greets2.bmp"
convert -size 32x64 xc:"rgb(0,255,255)" xc:"rgb(255,0,0)" +append -type truecolor BMP3:"$E2E_DIR/greets2alpha.bmp"
E2E_FAKETIME='+0 x20'
e2e_start
e2e_wait_window Zephal3D
e2e_focus "$E2E_WIN"
e2e_key F1
e2e_wait_window "Zephal 3D"
e2e_focus "$E2E_WIN"
e2e_key F1
e2e_answer "Kiro GL" Return
e2e_wait_window "Zephal 3D"
e2e_focus "$E2E_WIN"
read -r w h x y <<<"$(e2e_geometry "$E2E_WIN")"
[ "$w $h" = "640 480" ] || e2e_fail "window after two toggles is ${w}x$h"

# The fully grown panel in a 640 x 480 window: 530 x 480 overlay units from (55, 0), that is
# x 44 to 468 and the lowest 384 rows in pixels. Sample each half 150 rows above the bottom.
leftX=$((x + 150)) rightX=$((x + 360)) rowY=$((y + h - 150))
green() { [ "$1" -lt 60 ] && [ "$2" -gt 200 ] && [ "$3" -lt 60 ]; }
for _ in $(seq 40); do
  sleep 0.5
  e2e_shot "$E2E_DIR/shot.png"
  read -r r g b <<<"$(e2e_pixel "$E2E_DIR/shot.png" "$rightX" "$rowY")"
  if green "$r" "$g" "$b"; then break; fi
done
green "$r" "$g" "$b" || e2e_fail "no opaque panel in the right half: $r $g $b"
read -r r g b <<<"$(e2e_pixel "$E2E_DIR/shot.png" "$leftX" "$rowY")"
green "$r" "$g" "$b" && e2e_fail "the panel's transparent half is drawn opaque: $r $g $b"

e2e_key Escape
e2e_wait_exit 15
e2e_expect_status 0
echo "overlay_masks_after_toggle: ok"
