#!/usr/bin/env bash
# The menu bar from the keyboard: Alt+V opens 表示, the arrows and Return choose
# 全画面表示, the figure takes the whole screen without the bar, and Esc brings the
# window and its bar back.
source "$(dirname "$0")/e2e.bash"
e2e_start "$1"

BAR=$((CLIENT_Y - WINDOW_Y))
expect_size() {
    for _ in $(seq 30); do
        eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
        [ "${WIDTH}x$HEIGHT" = "$1" ] && return 0
        sleep 0.1
    done
    fail "window is ${WIDTH}x$HEIGHT, expected $1 ($2)"
}
# The colour in the window's top left corner: the bar's, or the pale green panel's.
corner() { e2e_shot && convert "$E2E_TMP/screen.png" -format "%[hex:p{$((WINDOW_X + 3)),$((WINDOW_Y + 3))}]" info: | cut -c1-6; }

[ "$BAR" -gt 10 ] && [ "$(corner)" != C0FFC0 ] || fail "no menu bar above the client area"
cp "$E2E_TMP/screen.png" "$E2E_TMP/closed.png"
xdotool windowfocus --sync "$WINDOW" key alt+v
sleep 0.5
e2e_shot
changed=$(compare -metric AE "$E2E_TMP/closed.png" "$E2E_TMP/screen.png" null: 2>&1 || true)
[ "${changed%%.*}" -gt 1000 ] || fail "Alt+V opened no menu ($changed pixels changed)"
# 拡大, 縮小, 元の大きさ, 画面に合わせる, then 全画面表示.
xdotool key --delay 100 Down Down Down Down Return
expect_size 1280x800 "full screen from the menu"
[ "$(corner)" = C0FFC0 ] || fail "the menu bar shows in full screen"
xdotool key Escape
expect_size 1014x$((700 + BAR)) "after Esc"
[ "$(corner)" != C0FFC0 ] || fail "the menu bar did not come back"
expect_canvas 425 77 000000 "ring above O after full screen"
echo "1 passed, 0 failed"
