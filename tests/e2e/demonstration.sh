#!/usr/bin/env bash
# A demonstration in a real window: F5 sets P going round at 20° a second, a click on the
# canvas stops it on the short arc, the figure holds still, and figure and readout are
# those of a move to the same place.
source "$(dirname "$0")/e2e.bash"
e2e_start "$1"

# A part of the last screenshot, given in window pixels, into $E2E_TMP/$1.png.
crop() {
    convert "$E2E_TMP/screen.png" -crop "$2x$3+$((CLIENT_X + $4))+$((CLIENT_Y + $5))" +repage "$E2E_TMP/$1.png"
    echo "$E2E_TMP/$1.png"
}
area() { crop "$1" 875 625 18 58; }
readout() { crop "$1" 78 33 905 154; } # ∠APB's digits
same_image() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = 0 ]; }
# The angle about O of the middle of the red mark of ∠APB, which stands at P (long arc only).
red_angle() {
    local box
    box=$(convert "$(area red)" -fill black +opaque "#FF0000" -fill white -opaque "#FF0000" -format "%@" info:)
    [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || fail "no red mark at P ($box)"
    awk -v w="${BASH_REMATCH[1]}" -v h="${BASH_REMATCH[2]}" -v x="${BASH_REMATCH[3]}" -v y="${BASH_REMATCH[4]}" \
        'BEGIN { a = atan2(325 - (y + h / 2), x + w / 2 - 425) * 180 / 3.141592653589793; print a < 0 ? a + 360 : a }'
}
red_shown() { convert "$(area red)" -fill black +opaque "#FF0000" -format "%[fx:maxima.r > 0]" info:; }
shot_now() { # a screenshot at once; prints when it was taken
    date +%s.%N
    import -display "$DISPLAY" -window root "$E2E_TMP/screen.png"
}

for y in 72 104 140; do window_click 920 "$y"; done # 点Ｐ, ∠ＡＰＢ, 円周角
e2e_shot
fifty=$(readout fifty) # P at 110° on the long arc

xdotool key F5
sleep 1
first_time=$(shot_now)
first=$(red_angle)
sleep 1
second_time=$(shot_now)
second=$(red_angle)
awk -v a="$first" -v b="$second" -v s="$first_time" -v t="$second_time" \
    'BEGIN { rate = (b - a) / (t - s); exit !(a > 115 && rate > 14 && rate < 26) }' ||
    fail "P at $first° and then $second°, $first_time and $second_time"

# Past A (220°) the mark turns black on the short arc, where ∠APB is 130; a click stops P there.
for _ in $(seq 40); do
    shot_now >/dev/null
    [ "$(red_shown)" = 0 ] && break
    sleep 0.2
done
sleep 0.8
canvas_move 800 40
xdotool click 1
e2e_shot
[ "$(red_shown)" = 0 ] || fail "P is not on the short arc after the click"
held=$(area held)
stopped=$(readout stopped)
same_image "$stopped" "$fifty" && fail "the readout still says 50 with P on the short arc"
sleep 1
e2e_shot
same_image "$(area still)" "$held" || fail "the figure moved on after the click"

# The click gave the canvas the focus: P (which rings P), → and ← move P one degree and
# back to where it stopped, as a drag there would; the figure and readout are the same.
xdotool key p
e2e_shot
ringed=$(area ringed)
xdotool key Right
e2e_shot
same_image "$(area nudged)" "$ringed" && fail "the arrow key did not move P"
xdotool key Left
e2e_shot
same_image "$(area back)" "$ringed" || fail "the figure after the stop is not a move's to the same place"
same_image "$(readout back)" "$stopped" || fail "the readout after the stop is not a move's"
echo "1 passed, 0 failed"
