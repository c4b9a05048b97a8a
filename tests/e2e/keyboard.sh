#!/usr/bin/env bash
# The keyboard in a real window: Tab into the drawing area, P and ten → take P and the
# mark of ∠APB ten degrees round; Ctrl+C puts the drawing area on the clipboard as it
# shows, and Ctrl+Shift+E saves the same picture as PNG through the Japanese dialog.
source "$(dirname "$0")/e2e.bash"
e2e_start "$1"

park_pointer() { xdotool mousemove --sync $((CLIENT_X + 1005)) $((CLIENT_Y + 695)); }
# P at `angle` on the initial circle as "x y", with decimals.
p_at() { awk -v a="$1" 'BEGIN { r = a * 3.14 / 180; printf "%.4f %.4f\n", 425 + 250 * cos(r), 325 - 250 * sin(r) }'; }
# The direction from P at `angle` towards the middle of the arc AB (425, 575): the
# bisector of ∠APB, along which its mark lies.
bisector() {
    read -r x y <<<"$(p_at "$1")"
    awk -v x="$x" -v y="$y" 'BEGIN { printf "%.4f\n", atan2(-(575 - y), 425 - x) * 180 / 3.141592653589793 }'
}

window_click 920 72  # 点Ｐ
window_click 920 104 # ∠ＡＰＢ: the focus is on this box now
park_pointer
e2e_shot
read -r px py <<<"$(p_at 110)"
expect_canvas $(mark_point "$px" "$py" "$(bisector 110)" 18) FF0000 "mark at the first P"

# Shift+Tab twice reaches the drawing area (after "点Ｐ"); P chooses P.
xdotool key --delay 100 shift+Tab shift+Tab p
for _ in $(seq 10); do xdotool key --delay 60 Right; done
e2e_shot
read -r qx qy <<<"$(p_at 120)"
expect_canvas $(mark_point "$qx" "$qy" "$(bisector 120)" 18) FF0000 "mark at P ten degrees on"
expect_canvas $(mark_point "$px" "$py" "$(bisector 110)" 18) FFFFFF "old mark erased"
# The focus ring stands round P, 12 pixels from it, and is not red.
ring=$(canvas_pixel $(awk -v x="$qx" -v y="$qy" 'BEGIN { printf "%d %d\n", x + 0.5, y - 12 + 0.5 }'))
case "${ring^^}" in FFFFFF | FF0000 | 000000) fail "no focus ring above P ($ring)" ;; esac

# Tab on through A, B and the radius handle and out of the area: the ring goes.
xdotool key --delay 100 Tab Tab Tab Tab
park_pointer
e2e_shot
convert "$E2E_TMP/screen.png" -crop 875x625+$((CLIENT_X + 18))+$((CLIENT_Y + 58)) +repage "$E2E_TMP/area.png"

# Ctrl+C: an 875 × 625 image on the clipboard, the drawing area as the screen shows it.
xdotool key ctrl+c
sleep 0.5
xclip -display "$DISPLAY" -selection clipboard -t TARGETS -o | grep -q image/png || fail "no image on the clipboard"
xclip -display "$DISPLAY" -selection clipboard -t image/png -o >"$E2E_TMP/clip.png"
[ "$(identify -format '%wx%h' "$E2E_TMP/clip.png")" = 875x625 ] || fail "clipboard image is not 875x625"
diff_pixels=$(compare -metric AE "$E2E_TMP/clip.png" "$E2E_TMP/area.png" null: 2>&1 || true)
[ "$diff_pixels" = 0 ] || fail "clipboard image differs from the screen in $diff_pixels pixels"

# Ctrl+Shift+E: Qt's save dialog, in Japanese; a path typed into it gets a PNG of the same picture.
xdotool key ctrl+shift+e
dialog=$(timeout 10 xdotool search --sync --name '図を画像として書き出す' | head -1) || fail "no save dialog"
sleep 0.5
xdotool key --window "$dialog" ctrl+a
xdotool type --delay 20 "$E2E_TMP/saved.png"
xdotool key Return
for _ in $(seq 50); do [ -s "$E2E_TMP/saved.png" ] && break; sleep 0.1; done
[ -s "$E2E_TMP/saved.png" ] || fail "nothing saved"
sleep 0.3
[ "$(identify -format '%m %wx%h' "$E2E_TMP/saved.png")" = "PNG 875x625" ] || fail "saved file is not an 875x625 PNG"
diff_pixels=$(compare -metric AE "$E2E_TMP/saved.png" "$E2E_TMP/clip.png" null: 2>&1 || true)
[ "$diff_pixels" = 0 ] || fail "saved picture differs from the clipboard in $diff_pixels pixels"
echo "1 passed, 0 failed"
