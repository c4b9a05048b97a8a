#!/usr/bin/env bash
# A 1280 x 720 projector with a 40-pixel bar across its top: the window starts at the
# largest zoom step at which all of it fits the available area, inside that area, and
# "終了" can be clicked.
E2E_SCREEN=1280x720
E2E_WORKAREA="0 40 1280 680"
source "$(dirname "$0")/e2e.bash"
e2e_start "$1"

# 75 %: 1014 x 700 scaled and rounded.
[ "$WINDOW_WIDTH" = 761 ] && [ "$WINDOW_HEIGHT" = 525 ] || fail "window is ${WINDOW_WIDTH}x$WINDOW_HEIGHT"
[ "$WINDOW_Y" -ge 40 ] && [ $((WINDOW_Y + WINDOW_HEIGHT)) -le 720 ] && [ $((WINDOW_X + WINDOW_WIDTH)) -le 1280 ] ||
    fail "window at $WINDOW_X,$WINDOW_Y is not inside the available area"

e2e_shot
# The ring above O (425, 325 on the canvas, 18, 58 in the window at 100 %) at 75 %.
[ "$(window_pixel $(((18 + 425) * 3 / 4)) $(((58 + 77) * 3 / 4)))" = 000000 ] || fail "no ring above O"

# "終了" (912, 656, 81 x 33 at 100 %).
window_click $(((912 + 40) * 3 / 4)) $(((656 + 16) * 3 / 4))
for _ in $(seq 50); do kill -0 "$E2E_APP" 2>/dev/null || break; sleep 0.1; done
kill -0 "$E2E_APP" 2>/dev/null && fail "the program did not end on 終了"
E2E_APP=""
echo "1 passed, 0 failed"
