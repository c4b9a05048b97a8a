#!/usr/bin/env bash
# A 1920 x 1080 panel: the zoom keys step the window and come back to 1014 x 700; F11
# fills the screen with the whole window scaled, a drag of P there follows the pointer
# and changes the readout, Ctrl+Z and Ctrl+Y take it back and forth, F10 and Alt open
# the menus over the figure, and Esc gives the window back.
E2E_SCREEN=1920x1080
source "$(dirname "$0")/e2e.bash"
e2e_start "$1"

geometry() {
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    echo "${WIDTH}x$HEIGHT"
}
expect_geometry() {
    local got=""
    for _ in $(seq 30); do
        got=$(geometry)
        [ "$got" = "$1" ] && return 0
        sleep 0.1
    done
    fail "window is $got, expected $1 ($2)"
}

# The menu bar above the client area; full screen hides it.
BAR=$((CLIENT_Y - WINDOW_Y))
xdotool windowfocus --sync "$WINDOW"
xdotool key ctrl+plus
expect_geometry 1268x$((875 + BAR)) "125 % after Ctrl++"
xdotool key ctrl+plus
expect_geometry 1521x$((1050 + BAR)) "150 % after Ctrl++ twice"
grep -q "^zoom=1.5$" "$E2E_TMP/config/enshukaku/enshukaku.conf" || fail "150 % is not remembered"
xdotool key ctrl+0
expect_geometry 1014x$((700 + BAR)) "100 % after Ctrl+0"

xdotool key F11
expect_geometry 1920x1080 "full screen"
# The largest factor at which the client area fits, centred; the canvas's origin lies
# inside its frame, all of it scaled and rounded as the window does.
read -r F LEFT TOP <<<"$(awk 'function r(v) { return int(v + 0.5) } BEGIN {
    f = 1080 / 700; if (1920 / 1014 < f) f = 1920 / 1014
    printf "%.9f %d %d\n", f, int((1920 - r(1014 * f)) / 2) + r(16 * f) + r(2 * f), r(56 * f) + r(2 * f) }')"
screen_x() { awk -v x="$1" -v f="$F" -v o="$LEFT" 'BEGIN { printf "%d\n", o + x * f + 0.5 }'; }
screen_y() { awk -v y="$1" -v f="$F" -v o="$TOP" 'BEGIN { printf "%d\n", o + y * f + 0.5 }'; }
# Clicks the control whose design top left is ($1, $2), 8 pixels into it.
control_click() {
    xdotool mousemove --sync "$(awk -v x="$1" -v f="$F" 'BEGIN { printf "%d", int((1920 - int(1014 * f + 0.5)) / 2) + (x + 8) * f }')" \
        "$(awk -v y="$2" -v f="$F" 'BEGIN { printf "%d", (y + 8) * f }')" click 1
    sleep 0.2
}

e2e_shot
# The ring measured from its pixels: the dark runs met first coming in from the edges
# of the canvas along the row and the column through O.
dark_runs() { # $1 row|column, $2 its coordinate: "first_inner_edge last_inner_edge" midpoints of the two runs
    local crop
    if [ "$1" = row ]; then crop="1920x1+0+$2"; else crop="1x1080+$2+0"; fi
    convert "$E2E_TMP/screen.png" -crop "$crop" +repage -colorspace gray -depth 8 txt:- |
        awk -v axis="$1" -v from="$3" -v to="$4" -F'[,: ()]+' 'NR > 1 {
            i = (axis == "row") ? $1 : $2; if (i < from || i > to) next
            dark[i] = ($5 + 0 < 128) }
        END {
            for (i = from; i <= to && !dark[i]; i++); a = i; for (; i <= to && dark[i]; i++); b = i - 1
            for (i = to; i >= from && !dark[i]; i--); d = i; for (; i >= from && dark[i]; i--); c = i + 1
            printf "%.1f %.1f\n", (a + b) / 2, (c + d) / 2 }'
}
ox=$(screen_x 425)
oy=$(screen_y 325)
read -r left right <<<"$(dark_runs row "$oy" "$(screen_x 5)" "$(screen_x 870)")"
read -r top bottom <<<"$(dark_runs column "$ox" "$(screen_y 5)" "$(screen_y 620)")"
awk -v l="$left" -v r="$right" -v t="$top" -v b="$bottom" -v f="$F" -v ox="$ox" -v oy="$oy" 'BEGIN {
    want = 248 * f   # the ring: radius 250 less half its 4-pixel outline
    bad = 0
    if ((r - l) / 2 - want > 1.5 || want - (r - l) / 2 > 1.5) bad = 1
    if ((b - t) / 2 - want > 1.5 || want - (b - t) / 2 > 1.5) bad = 1
    if ((l + r) / 2 - ox > 1.5 || ox - (l + r) / 2 > 1.5 || (t + b) / 2 - oy > 1.5 || oy - (t + b) / 2 > 1.5) bad = 1
    if (bad) { printf "ring %s..%s x %s..%s, expected radius %.1f about %d, %d\n", l, r, t, b, want, ox, oy; exit 1 } }' ||
    fail "the ring is not at the scaled radius"

pixel_at() { convert "$E2E_TMP/screen.png" -format "%[hex:p{$(screen_x "$1"),$(screen_y "$2")}]" info: | cut -c1-6; }
control_click 912 64 # 点Ｐ
e2e_shot
[ "$(pixel_at 339.724 89.994)" = FF0000 ] || fail "P's dot is not at P"
control_click 912 96  # ∠ＡＰＢ
control_click 912 128 # 円周角
readout() { # the readout's box, as a checksum of its pixels
    e2e_shot
    convert "$E2E_TMP/screen.png" -crop "$(awk -v f="$F" 'BEGIN { x0 = int((1920 - int(1014 * f + 0.5)) / 2)
        printf "%dx%d+%d+%d", 60 * f, 37 * f, x0 + 924 * f, 152 * f }')" +repage rgb:- | md5sum
}
before=$(readout)

# Press on P, move round the circle to 270° (onto the arc AB), release.
xdotool mousemove --sync "$(screen_x 339.724)" "$(screen_y 89.994)" mousedown 1
for angle in 130 150 170 190 210 230 250 270; do
    read -r cx cy <<<"$(circle_point "$angle")"
    xdotool mousemove --sync "$(screen_x "$cx")" "$(screen_y "$cy")"
done
xdotool mouseup 1
after=$(readout)
[ "$before" != "$after" ] || fail "the readout did not change (∠APB is 130° on the arc AB)"
# The menu's keys work in full screen too: Ctrl+Z takes the drag back, Ctrl+Y redoes it.
xdotool key ctrl+z
[ "$(readout)" = "$before" ] || fail "Ctrl+Z did not undo the drag in full screen"
xdotool key ctrl+y
[ "$(readout)" = "$after" ] || fail "Ctrl+Y did not redo the drag in full screen"

# The menu bar is out of view, but F10, Alt+M and Alt alone bring it down with a menu open,
# and Esc, twice, puts it away again, leaving the figure as it was.
e2e_shot
cp "$E2E_TMP/screen.png" "$E2E_TMP/figure.png"
changed_since_figure() {
    e2e_shot
    compare -metric AE "$E2E_TMP/figure.png" "$E2E_TMP/screen.png" null: 2>&1 | cut -d. -f1 || true
}
for key in F10 alt+m alt; do
    xdotool key "$key"
    sleep 0.5
    [ "$(changed_since_figure)" -gt 5000 ] || fail "$key showed no menu in full screen"
    xdotool key Escape
    sleep 0.3
    xdotool key Escape
    sleep 0.5
    [ "$(changed_since_figure)" = 0 ] || fail "the menu bar stayed over the figure after $key and Esc"
    expect_geometry 1920x1080 "still full screen after $key and Esc"
done
# Unticking "∠ＡＰＢ" shows P's dot where P now is: under the pointer.
control_click 912 96
e2e_shot
read -r cx cy <<<"$(circle_point 270)"
[ "$(pixel_at "$cx" "$cy")" = FF0000 ] || fail "P's dot is not under the pointer after the drag"
[ "$(pixel_at 339.724 89.994)" != FF0000 ] || fail "P's dot is still at the old place"

xdotool key Escape
expect_geometry 1014x$((700 + BAR)) "after Esc"
echo "1 passed, 0 failed"
