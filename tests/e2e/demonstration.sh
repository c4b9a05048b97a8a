#!/usr/bin/env bash
# A demonstration in a real window: F5 sets P going round at 20° a second, a click on the
# canvas stops it on the short arc, the figure holds still, and figure and readout are
# those of a move to the same place. → that stops a run does only that; F5 with メモ on
# says why nothing moves; the radius running keeps the chords, both marks and both
# readouts shown and true.
source "$(dirname "$0")/e2e.bash"
e2e_start "$1"

# A part of the last screenshot, given in window pixels, into $E2E_TMP/$1.png.
crop() {
    convert "$E2E_TMP/screen.png" -crop "$2x$3+$((CLIENT_X + $4))+$((CLIENT_Y + $5))" +repage "$E2E_TMP/$1.png"
    echo "$E2E_TMP/$1.png"
}
area() { crop "$1" 875 625 18 58; }
readout() { crop "$1" 78 33 905 154; }         # ∠APB's digits
central_readout() { crop "$1" 78 33 905 274; } # ∠AOB's digits
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

# → that ends a run does only that: P stays where the run left it. The run is one step of
# the undo history, so Ctrl+Z gives back the figure from before it and Ctrl+Y the one where
# it stopped; a → that had moved P on would be a step of its own.
xdotool key p
e2e_shot
before_run=$(area before_run)
xdotool key F5
sleep 1.5
xdotool key Right
e2e_shot
stopped_run=$(area stopped_run)
same_image "$stopped_run" "$before_run" && fail "P did not move in the second run"
sleep 0.7
e2e_shot
same_image "$(area after_right)" "$stopped_run" || fail "the figure moved on after → stopped the run"
xdotool key ctrl+z
e2e_shot
same_image "$(area undone)" "$before_run" || fail "→ moved P on after it stopped the run (Ctrl+Z)"
xdotool key ctrl+y
e2e_shot
same_image "$(area redone)" "$stopped_run" || fail "Ctrl+Y does not give the figure where the run stopped"

# Pixels of the pale yellow notice over the foot of the drawing area.
notice_pixels() {
    convert "$(area notice)" -fill black +opaque "#FFFFE0" -fill white -opaque "#FFFFE0" -format "%[fx:mean*w*h]" info:
}
# F5 with メモ on moves nothing and says why on the screen.
window_click 612 24 # メモ
e2e_shot
[ "$(notice_pixels)" = 0 ] || fail "a notice shows before F5"
still=$(area memo_still)
xdotool key F5
e2e_shot
awk -v n="$(notice_pixels)" 'BEGIN { exit !(n > 2000) }' || fail "F5 with メモ on shows no reason ($(notice_pixels) px)"
sleep 1
e2e_shot
convert "$E2E_TMP/screen.png" -crop "875x520+$((CLIENT_X + 18))+$((CLIENT_Y + 58))" +repage "$E2E_TMP/top.png"
convert "$still" -crop 875x520+0+0 +repage "$E2E_TMP/still_top.png"
same_image "$E2E_TMP/top.png" "$E2E_TMP/still_top.png" || fail "the figure moved with メモ on"

# The radius running keeps the figure: at 3 s the chords, the marks at P and at O and both
# readouts show, with the angles they had at the start.
kill "$E2E_APP"
wait "$E2E_APP" 2>/dev/null || true
e2e_launch "$1"
for y in 72 104 140 220 260; do window_click 920 "$y"; done # 点Ｐ, ∠ＡＰＢ, 円周角, ∠ＡＯＢ, 中心角
xdotool key alt+m Down Down Down Return # 動き → 半径
e2e_shot
fifty=$(readout fifty_start)
hundred=$(central_readout hundred_start)
at_o=$(canvas_pixel 425 345) # inside the mark of ∠AOB, below O
[ "${at_o^^}" != FFFFFF ] || fail "no mark at O at the start"
[ "$(red_shown)" = 1 ] || fail "no mark at P at the start"
xdotool key F5
sleep 3
shot_now >/dev/null
cp "$E2E_TMP/screen.png" "${E2E_KEEP:-/dev/null}" 2>/dev/null || true
# The radius of the moment, from the blue handle's far corner on the diagonal from O.
radius=$(convert "$E2E_TMP/screen.png" -crop "220x220+$((CLIENT_X + 18 + 505))+$((CLIENT_Y + 58 + 405))" +repage txt:- |
    awk -F'[,: ]+' 'NR > 1 && $1 == $2 && toupper($0) ~ /#0000FF/ { far = $1 } END { if (far != "") print far + 80 - 7 }')
[ -n "$radius" ] || fail "no radius handle at 3 s"
[ "$radius" -ne 250 ] || fail "the radius did not move"
same_image "$(readout fifty_run)" "$fifty" || fail "∠APB does not read 50 at radius $radius"
same_image "$(central_readout hundred_run)" "$hundred" || fail "∠AOB does not read 100 at radius $radius"
[ "$(red_shown)" = 1 ] || fail "no mark at P at radius $radius"
awk -v a="$(red_angle)" 'BEGIN { exit !(a > 105 && a < 115) }' || fail "the mark at P is not at P (radius $radius)"
[ "$(canvas_pixel 425 345)" = "$at_o" ] || fail "the mark at O changed at radius $radius"
# A chord pixel near the middle of PA and of PB, on the circle of the moment.
for end in 220 320; do
    read -r mx my <<<"$(awk -v r="$radius" -v e="$end" 'BEGIN { k = 3.14 / 180;
        printf "%d %d\n", 425 + r * (cos(110 * k) + cos(e * k)) / 2 + 0.5, 325 - r * (sin(110 * k) + sin(e * k)) / 2 + 0.5 }')"
    dark=$(convert "$E2E_TMP/screen.png" -crop "5x5+$((CLIENT_X + 18 + mx - 2))+$((CLIENT_Y + 58 + my - 2))" +repage \
        -colorspace gray -threshold 50% -negate -format "%[fx:mean*w*h]" info:)
    awk -v n="$dark" 'BEGIN { exit !(n >= 2) }' || fail "no chord from P to $end° at radius $radius"
done
echo "1 passed, 0 failed"
