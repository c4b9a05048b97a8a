#!/usr/bin/env bash
# The Windows program, as deployed for the installer, in a real window under wine in
# Xvfb: the drag and menu bar checks of the Linux build against it, then a lesson
# built by ticking boxes and dragging P, saved through the program's own save box and
# opened again from the command line, where its drawing comes back pixel for pixel in
# a window titled by the lesson's name.
source "$(dirname "$0")/../e2e/e2e.bash"
source "$(dirname "$0")/wine.bash"
wine_prefix

program="$WIN_TMP/enshukaku"
printf '#!/bin/sh\nexec wine "%s" "$@"\n' "$WIN_STAGE/enshukaku.exe" >"$program"
chmod +x "$program"

for check in drag menu; do
    start=$SECONDS
    bash "$WIN_ROOT/tests/e2e/$check.sh" "$program" >"$WIN_TMP/$check.log" 2>&1 ||
        { cat "$WIN_TMP/$check.log" >&2; wine_fail "e2e/$check.sh against the Windows program"; }
    echo "e2e/$check.sh passed against the Windows program in $((SECONDS - start)) s"
    wineserver -k 2>/dev/null || true
    wineserver -w
done

e2e_start "$program"
canvas_shot() { # $1: name; the drawing area (a focus frame on a box beside it does not count)
    xdotool mousemove --sync $((CLIENT_X + 1005)) $((CLIENT_Y + 695))
    e2e_shot
    convert "$E2E_TMP/screen.png" -crop "875x625+$((CLIENT_X + 18))+$((CLIENT_Y + 58))" +repage "$E2E_TMP/$1.png"
}
# 点Ｐ, ∠ＡＰＢ, ∠ＡＯＢ and the readout of ∠ＡＰＢ; P dragged from 110° to 150°.
for point in "920 72" "920 104" "920 216" "920 140"; do window_click $point; done
canvas_move $(circle_point 110)
xdotool mousedown 1
for angle in 120 130 140 150; do canvas_move $(circle_point "$angle"); done
xdotool mouseup 1
read -r px py <<<"$(circle_point 150)"
canvas_shot lesson
expect_canvas $(mark_point "$px" "$py" 300 12) FF0000 "mark of ∠APB at P 150°"
expect_canvas 425 340 0000FF "mark of ∠AOB"

# Ctrl+S: the save box, the lesson's Windows path typed into it.
lesson="$WIN_TMP/lesson1.enshu"
xdotool windowfocus --sync "$WINDOW"
xdotool key ctrl+s
box=$(timeout 20 xdotool search --sync --name '名前を付けて保存' | head -1) || wine_fail "no save box"
xdotool windowfocus --sync "$box"
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 20 "$(win_path "$lesson" | tr '\\' /)"
xdotool key Return
for _ in $(seq 50); do [ -s "$lesson" ] && break; sleep 0.2; done
[ -s "$lesson" ] || wine_fail "the lesson was not saved to $(win_path "$lesson")"
head -c 200 "$lesson" | grep -q '"enshukaku-lesson"' || wine_fail "the saved file is no lesson"
timeout 10 xdotool search --sync --name '^lesson1' >/dev/null || wine_fail "the window is not titled by the lesson saved"

kill "$E2E_APP" 2>/dev/null || true
wineserver -k 2>/dev/null || true
wineserver -w

# The lesson opened again: titled by its name, the same drawing.
E2E_TITLE='^lesson1' e2e_launch "$program" "$(win_path "$lesson")"
canvas_shot reopened
different=$(compare -metric AE "$E2E_TMP/lesson.png" "$E2E_TMP/reopened.png" null: 2>&1 || true)
[ "$different" = 0 ] || { cp "$E2E_TMP/reopened.png" "$WIN_OUT/window-reopened.png"; cp "$E2E_TMP/lesson.png" "$WIN_OUT/window-lesson.png"; wine_fail "the reopened lesson differs in $different pixels (pictures in $WIN_OUT)"; }
echo "1 passed, 0 failed"
