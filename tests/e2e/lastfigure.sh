#!/usr/bin/env bash
# The last figure survives a crash: prepare a lesson (P with its marks and readout, two
# traces, a straight line, memo writing), kill the program with SIGKILL, start it again
# (the initial screen). A hover and a click on an empty spot change nothing, so the last
# figure stays the crashed one; a real change moves it to last-figure-previous.enshu, and
# ファイル → 前回の図を開く still brings the window before the kill back. Then a hover, a
# click on an empty spot and 終了 end the program without a question.
source "$(dirname "$0")/e2e.bash"
program=$1
e2e_start "$program"
last_figure="$E2E_TMP/data/enshukaku/last-figure.enshu"
previous_figure="$E2E_TMP/data/enshukaku/last-figure-previous.enshu"

park_pointer() { xdotool mousemove --sync $((WINDOW_X + WINDOW_WIDTH - 2)) $((WINDOW_Y + WINDOW_HEIGHT - 2)); }
window_shot() { # $1: name; the whole window, menu bar included
    park_pointer
    e2e_shot
    convert "$E2E_TMP/screen.png" -crop "${WINDOW_WIDTH}x${WINDOW_HEIGHT}+$WINDOW_X+$WINDOW_Y" +repage "$E2E_TMP/$1.png"
}
differing() { compare -metric AE "$E2E_TMP/$1.png" "$E2E_TMP/$2.png" null: 2>&1 || true; }

window_shot initial
[ ! -e "$last_figure" ] || fail "a last figure was written before any change"

# P with its mark and the readout of ∠APB.
for point in "920 72" "920 104" "920 140"; do window_click $point; done
drag_p_to() {
    canvas_move $(circle_point "$1")
    xdotool mousedown 1
    canvas_move $(circle_point $((($1 + $2) / 2)))
    canvas_move $(circle_point "$2")
    xdotool mouseup 1
}
drag_p_to 110 130
window_click 952 416
drag_p_to 130 150
window_click 952 416
drag_p_to 150 80
# A straight line, then the tool off again.
window_click 372 24
canvas_move 40 500
xdotool mousedown 1
canvas_move 90 550
canvas_move 140 600
xdotool mouseup 1
window_click 372 24
# Memo writing, then the pen off again.
window_click 612 24
canvas_move 700 40
xdotool mousedown 1
for x in 720 740 760 780 800; do canvas_move "$x" 50; done
xdotool mouseup 1
window_click 612 24
sleep 1.5
window_shot prepared
expect_canvas 760 50 FF0000 "memo ink"
expect_canvas 90 550 FF0000 "straight line"
[ -s "$last_figure" ] || fail "no last figure in $last_figure a second after the changes"
[ "$(differing initial prepared)" != 0 ] || fail "the lesson changed nothing on the screen"

# A crash: nothing runs at exit.
kill -9 "$E2E_APP"
wait "$E2E_APP" 2>/dev/null || true
for _ in $(seq 50); do xdotool search --name 'by Pelmora' >/dev/null 2>&1 || break; sleep 0.1; done
e2e_launch "$program"
window_shot restarted
[ "$(differing initial restarted)" = 0 ] || fail "after the restart the window is not the initial screen"
cp "$last_figure" "$E2E_TMP/crashed.enshu"

hover_and_click_empty() {
    for x in 100 250 400 550 700; do canvas_move "$x" 300; done
    canvas_move 30 30
    xdotool click 1
}
hover_and_click_empty
sleep 1.5
cmp -s "$last_figure" "$E2E_TMP/crashed.enshu" || fail "a click on an empty spot wrote over the crashed last figure"
[ ! -e "$previous_figure" ] || fail "the crashed last figure was moved aside without a change"
# A real change ("点Ｐ"), undone: the window is the start screen again, with nothing to ask.
window_click 920 72
sleep 1.5
cmp -s "$previous_figure" "$E2E_TMP/crashed.enshu" || fail "the crashed last figure was not kept aside on a change"
xdotool windowfocus --sync "$WINDOW" key ctrl+z
sleep 1

# ファイル → 前回の図を開く, by its keys.
xdotool windowfocus --sync "$WINDOW" key alt+f
sleep 0.5
xdotool key l
sleep 1
window_shot reopened
different=$(differing prepared reopened)
if [ "$different" != 0 ]; then
    cp "$E2E_TMP/prepared.png" "$E2E_TMP/reopened.png" /tmp/ 2>/dev/null || true
    fail "the reopened last figure differs from the window before the kill in $different pixels"
fi

# Nothing changed since the reopening: 終了 ends the program at once.
hover_and_click_empty
sleep 0.5
window_click 952 672
for _ in $(seq 50); do kill -0 "$E2E_APP" 2>/dev/null || break; sleep 0.1; done
kill -0 "$E2E_APP" 2>/dev/null && fail "終了 after a hover and a click on an empty spot did not end the program"
E2E_APP=""
echo "1 passed, 0 failed"
