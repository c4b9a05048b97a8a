#!/usr/bin/env bash
# The built program in a real window: size, title, the initial figure, and "終了".
source "$(dirname "$0")/e2e.bash"
e2e_start "$1"

[ "$WINDOW_WIDTH" = 1014 ] && [ "$CLIENT_HEIGHT" = 700 ] || fail "client area is ${WINDOW_WIDTH}x$CLIENT_HEIGHT"
title=$(xdotool getwindowname "$WINDOW")
[ "$title" = "円周角の定理　　 by Pelmora" ] || fail "title is '$title'"
# The program's icon, at each size it carries, is the window's icon.
icons=$(xprop -len 1000000 -id "$WINDOW" _NET_WM_ICON)
for size in 48 128 256; do
    grep -q "Icon ($size x $size)" <<<"$icons" || fail "the window has no $size px icon"
done

e2e_shot
# The circle's ring (4 px, just inside radius 250) on all four sides of O (425, 325).
expect_canvas 425 77 000000 "ring above O"
expect_canvas 425 573 000000 "ring below O"
expect_canvas 177 325 000000 "ring left of O"
expect_canvas 673 325 000000 "ring right of O"
# The radius handle, a blue 8 x 8 square at (675, 575).
expect_canvas 679 579 0000FF "radius handle"
# White canvas elsewhere: inside the circle, outside it, in the corners.
for point in "300 200" "550 450" "425 250" "50 50" "860 40" "30 600" "800 150"; do
    expect_canvas $point FFFFFF "canvas at $point"
done
# Pale green panel.
[ "$(window_pixel 905 50)" = "C0FFC0" ] || fail "panel is not pale green"
# Below the menu bar the client area is, pixel for pixel, the window as it was before
# the bar: the README's picture of the initial screen.
convert "$E2E_TMP/screen.png" -crop "1014x700+$CLIENT_X+$CLIENT_Y" +repage "$E2E_TMP/client.png"
different=$(compare -metric AE "$E2E_TMP/client.png" "$(dirname "$0")/../../docs/initial-screen.png" null: 2>&1 || true)
[ "$different" = 0 ] || { cp "$E2E_TMP/client.png" /tmp/window-client.png; fail "the client area differs from docs/initial-screen.png in $different pixels"; }

window_click 952 672
for _ in $(seq 50); do kill -0 "$E2E_APP" 2>/dev/null || break; sleep 0.1; done
kill -0 "$E2E_APP" 2>/dev/null && fail "the program did not end on 終了"
wait "$E2E_APP" && status=0 || status=$?
E2E_APP=""
[ "$status" = 0 ] || fail "exit status $status"
echo "1 passed, 0 failed"
