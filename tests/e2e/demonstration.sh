#!/usr/bin/env bash
# A demonstration in a real window: F5 sets P going round, two screenshots a second
# apart show it further on, a click on the canvas stops it, the figure then holds still
# and its readout is the one a drag to the same arc gives.
source "$(dirname "$0")/e2e.bash"
e2e_start "$1"

# The angle about O (425, 325) of the middle of the red pixels of the drawing area in
# the last screenshot: the mark of ∠APB, which stands at P.
red_angle() {
    local box
    box=$(convert "$E2E_TMP/screen.png" -crop 875x625+$((WINDOW_X + 18))+$((WINDOW_Y + 58)) +repage \
        -fill black +opaque "#FF0000" -fill white -opaque "#FF0000" -format "%@" info:)
    [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || fail "no red mark at P ($box)"
    awk -v w="${BASH_REMATCH[1]}" -v h="${BASH_REMATCH[2]}" -v x="${BASH_REMATCH[3]}" -v y="${BASH_REMATCH[4]}" \
        'BEGIN { a = atan2(325 - (y + h / 2), x + w / 2 - 425) * 180 / 3.141592653589793;
                 printf "%.1f\n", a < 0 ? a + 360 : a }'
}
readout_crop() { # the digits of ∠APB's readout in the last screenshot, into file $1
    convert "$E2E_TMP/screen.png" -crop 78x33+$((WINDOW_X + 905))+$((WINDOW_Y + 154)) +repage "$E2E_TMP/$1.png"
    echo "$E2E_TMP/$1.png"
}
same_image() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = 0 ]; }
canvas_crop() {
    convert "$E2E_TMP/screen.png" -crop 875x625+$((WINDOW_X + 18))+$((WINDOW_Y + 58)) +repage "$E2E_TMP/$1.png"
    echo "$E2E_TMP/$1.png"
}

window_click 920 72  # 点Ｐ
window_click 920 104 # ∠ＡＰＢ
window_click 920 140 # 円周角
e2e_shot
fifty=$(readout_crop fifty) # P at 110° on the long arc: 50
at_rest=$(red_angle)
awk -v a="$at_rest" 'BEGIN { exit !(a > 95 && a < 125) }' || fail "the mark is not at P at 110° ($at_rest)"

# A screenshot at once, and the time it was taken.
shot_now() {
    date +%s.%N
    import -display "$DISPLAY" -window root "$E2E_TMP/screen.png"
}
xdotool key F5
sleep 1
first_time=$(shot_now)
first=$(red_angle)
sleep 1
second_time=$(shot_now)
second=$(red_angle)
# ふつう is 20° a second, anticlockwise.
awk -v a="$first" -v b="$second" -v s="$first_time" -v t="$second_time" \
    'BEGIN { rate = (b - a) / (t - s); exit !(rate > 14 && rate < 26) }' ||
    fail "P went from $first° to $second° in $(awk -v s="$first_time" -v t="$second_time" 'BEGIN { print t - s }') s"
awk -v a="$at_rest" -v b="$first" 'BEGIN { exit !(b > a + 5) }' || fail "F5 did not set P going ($at_rest°, $first°)"

# On past A (220°) onto the short arc, where the mark of ∠APB turns black and the angle
# is 130; a click on an empty spot of the canvas stops it there.
red_shown() {
    convert "$E2E_TMP/screen.png" -crop 875x625+$((WINDOW_X + 18))+$((WINDOW_Y + 58)) +repage \
        -fill black +opaque "#FF0000" -format "%[fx:maxima.r > 0]" info:
}
for _ in $(seq 40); do
    shot_now >/dev/null
    [ "$(red_shown)" = 0 ] && break
    sleep 0.2
done
[ "$(red_shown)" = 0 ] || fail "P never reached the short arc"
sleep 0.8
canvas_move 800 40
xdotool click 1
e2e_shot
[ "$(red_shown)" = 0 ] || fail "P is not on the short arc after the click"
held=$(canvas_crop held)
stop_readout=$(readout_crop stopped)
same_image "$stop_readout" "$fifty" && fail "the readout still says 50 with P on the short arc"
sleep 1
e2e_shot
same_image "$(canvas_crop still)" "$held" || fail "the figure moved on after the click"

# The click gave the canvas the focus: P one degree on and back with the keys is a move
# to the very place where it stopped, and shows the same figure and readout.
# (P chooses P and rings it.)
xdotool key p
e2e_shot
ringed=$(canvas_crop ringed)
xdotool key Right
e2e_shot
same_image "$(canvas_crop nudged)" "$ringed" && fail "the arrow key did not move P"
xdotool key Left
e2e_shot
same_image "$(canvas_crop back)" "$ringed" || fail "the figure after the stop is not that of a move to the same place"
same_image "$(readout_crop back)" "$stop_readout" || fail "the readout after the stop is not a move's"
echo "1 passed, 0 failed"
