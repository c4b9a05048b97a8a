#!/usr/bin/env bash
# A drag of P in a real window: the mark of ∠APB follows P to its new place, and a P let
# go off the circle shows the angle it really sees.
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

# A free P: show ∠AOB and both readouts, untick 円周上, drag P to just below O.
readout_crop() { # $1: top of the readout label in the window; prints the file of its digits
    local file="$E2E_TMP/readout-$1-$2.png"
    convert "$E2E_TMP/screen.png" -crop 78x33+$((CLIENT_X + 905))+$((CLIENT_Y + $1 + 2)) +repage "$file"
    echo "$file"
}
same_image() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = 0 ]; }
for point in "920 216" "920 140" "920 260"; do window_click $point; done
e2e_shot
central_100=$(readout_crop 272 reference) # P on the upper arc: ∠AOB shows 100
# ∠APB shows 50 by the theorem: the crops tell the two numbers apart.
same_image "$(readout_crop 152 reference)" "$central_100" && fail "readouts 50 and 100 look alike"
window_click 920 584 # 円周上
canvas_move "$px" "$py"
xdotool mousedown 1
for point in "300 250" "400 310" "425 327"; do canvas_move $point; done
e2e_shot
# Just below O the rays from P to A and B meet at 100 degrees, on the arc of 100.
same_image "$(readout_crop 272 near-o)" "$central_100" || fail "∠AOB readout is not 100 with P at (425, 327)"
same_image "$(readout_crop 152 near-o)" "$central_100" || fail "∠APB readout is not 100 with P at (425, 327)"
canvas_move 425 340
xdotool mouseup 1
e2e_shot
same_image "$(readout_crop 272 below-o)" "$central_100" || fail "∠AOB readout is not 100 with P at (425, 340)"
# The mark at P points down between the rays to A and B; above P the light-blue mark of ∠AOB stays.
expect_canvas 425 352 FF0000 "mark at P below O, towards AB"
expect_canvas 425 328 0000FF "above P below O: the mark of ∠AOB, no mark of P"
echo "1 passed, 0 failed"
