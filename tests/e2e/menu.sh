#!/usr/bin/env bash
# The menu bar from the keyboard: Alt+V opens 表示, the arrows and Return choose
# 全画面表示, the figure takes the whole screen without the bar, and Esc brings the
# window and its bar back.
source "$(dirname "$0")/e2e.bash"
e2e_start "$1"

BAR=$((CLIENT_Y - WINDOW_Y))
[ "$BAR" -gt 10 ] || fail "no menu bar above the client area ($BAR pixels)"
window_size() {
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    echo "${WIDTH}x$HEIGHT"
}
expect_size() {
    local got=""
    for _ in $(seq 30); do
        got=$(window_size)
        [ "$got" = "$1" ] && return 0
        sleep 0.1
    done
    fail "window is $got, expected $1 ($2)"
}
# The bar's own colour, not the panel's pale green, in the window's top left corner.
bar_pixel() {
    e2e_shot
    convert "$E2E_TMP/screen.png" -format "%[hex:p{$((WINDOW_X + 3)),$((WINDOW_Y + 3))}]" info: | cut -c1-6
}

[ "$(bar_pixel)" != C0FFC0 ] || fail "the menu bar is not there"
cp "$E2E_TMP/screen.png" "$E2E_TMP/closed.png"
xdotool windowfocus --sync "$WINDOW"
xdotool key alt+v
sleep 0.5
e2e_shot
# The menu opens below the bar, over the client area.
changed=$(compare -metric AE "$E2E_TMP/closed.png" "$E2E_TMP/screen.png" null: 2>&1 || true)
[ "${changed%%.*}" -gt 1000 ] || fail "Alt+V opened no menu ($changed pixels changed)"
# 拡大, 縮小, 元の大きさ, 画面に合わせる, then 全画面表示.
xdotool key --delay 100 Down Down Down Down Return
expect_size 1280x800 "full screen from the menu"
[ "$(bar_pixel)" = C0FFC0 ] || fail "the menu bar shows in full screen"
xdotool key Escape
expect_size 1014x$((700 + BAR)) "after Esc"
[ "$(bar_pixel)" != C0FFC0 ] || fail "the menu bar did not come back"
e2e_shot
expect_canvas 425 77 000000 "ring above O after full screen"
echo "1 passed, 0 failed"
