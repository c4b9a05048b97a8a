#!/usr/bin/env bash
# A screen reader's view of the real window over AT-SPI (pyatspi, as Orca reads it):
# Tab into the drawing area, P, two arrows, the readout shown and P dragged across A;
# the focus and value events and the words said, and a hidden readout never told.
source "$(dirname "$0")/e2e.bash"
e2e_accessibility_session "$@"
e2e_start "$1"
/usr/bin/python3 "$(dirname "$0")/screenreader.py" "$CLIENT_X" "$CLIENT_Y" || fail "see above"
echo "1 passed, 0 failed"
