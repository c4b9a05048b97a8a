#!/usr/bin/env bash
# A 1280 x 720 projector with a 40-pixel bar across its top: the window starts at the
# largest whole percent at which all of it fits the available area, inside that area,
# and "終了" can be clicked. On a 3840 x 2160 panel it starts at 200 %.
E2E_SCREEN=1280x720
E2E_WORKAREA="0 40 1280 680"
source "$(dirname "$0")/e2e.bash"
e2e_start "$1"

# The largest whole percent at which the window, its menu bar included, fits the 680
# rows left: 94 %, not the 75 % step.
F=$(awk -v w="$WINDOW_WIDTH" 'BEGIN { printf "%.2f\n", w / 1014 }')
BAR=$((CLIENT_Y - WINDOW_Y))
scaled() { awk -v l="$1" -v f="$2" 'BEGIN { printf "%d\n", l * f + 0.5 }'; }
[ "$(scaled 1014 "$F")" = "$WINDOW_WIDTH" ] && [ "$(scaled 700 "$F")" = "$CLIENT_HEIGHT" ] ||
    fail "window ${WINDOW_WIDTH}x$WINDOW_HEIGHT is not the client area at $F with a $BAR-pixel bar"
awk -v f="$F" 'BEGIN { exit !(f >= 0.9 && f < 1) }' || fail "the window starts at $F"
[ $(($(scaled 700 "$(awk -v f="$F" 'BEGIN { print f + 0.01 }')") + BAR)) -gt 680 ] ||
    fail "one percent more than $F would still fit"
[ "$WINDOW_Y" -ge 40 ] && [ $((WINDOW_Y + WINDOW_HEIGHT)) -le 720 ] && [ $((WINDOW_X + WINDOW_WIDTH)) -le 1280 ] ||
    fail "window at $WINDOW_X,$WINDOW_Y is not inside the available area"

e2e_shot
# The ring above O (425, 325 on the canvas, 18, 58 in the client area at 100 %).
[ "$(window_pixel "$(scaled 443 "$F")" "$(scaled 135 "$F")")" = 000000 ] || fail "no ring above O"

# "終了" (912, 656, 81 x 33 at 100 %).
window_click "$(scaled 952 "$F")" "$(scaled 672 "$F")"
for _ in $(seq 50); do kill -0 "$E2E_APP" 2>/dev/null || break; sleep 0.1; done
kill -0 "$E2E_APP" 2>/dev/null && fail "the program did not end on 終了"
E2E_APP=""

# A 3840 x 2160 panel, nothing remembered: the window starts at 200 %, as large as a
# projector shows it, not at a quarter of the screen's width.
kill "$E2E_XVFB"
wait "$E2E_XVFB" 2>/dev/null || true
E2E_XVFB=""
rm -rf "$E2E_TMP/config"
unset E2E_WORKAREA
E2E_SCREEN=3840x2160
e2e_start "$1"
[ "$WINDOW_WIDTH" = 2028 ] && [ "$CLIENT_HEIGHT" = 1400 ] ||
    fail "on 3840 x 2160 the window starts at ${WINDOW_WIDTH}x$CLIENT_HEIGHT below its bar, not 2028 x 1400"
echo "1 passed, 0 failed"
