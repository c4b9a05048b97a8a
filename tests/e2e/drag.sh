#!/usr/bin/env bash
# A drag of P in a real window: the mark of ∠APB follows P to its new place.
source "$(dirname "$0")/e2e.bash"
e2e_start "$1"

window_click 920 72   # 点Ｐ
window_click 920 104  # ∠ＡＰＢ
e2e_shot
# P at 110°: the light-red mark lies between the rays to A and B (bisector 280°).
expect_canvas $(mark_point 339.724 89.994 280 12) FF0000 "mark at the first P"

# Press on P, move in steps round the circle to 150°, release.
canvas_move 340 90
xdotool mousedown 1
for angle in 115 120 125 130 135 140 145 150; do
    canvas_move $(circle_point "$angle")
done
xdotool mouseup 1
e2e_shot
read -r px py <<<"$(circle_point 150)"
# From P at 150° the rays to A (275°) and B (325°) have the bisector 300°.
expect_canvas $(mark_point "$px" "$py" 300 12) FF0000 "mark at the new P"
expect_canvas $(mark_point 339.724 89.994 280 12) FFFFFF "old mark erased"
echo "1 passed, 0 failed"
