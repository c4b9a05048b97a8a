#!/usr/bin/env bash
# The real program with a default queue that refuses jobs: the name box speaks
# Japanese (its buttons look exactly like buttons worded "OK" and "キャンセル"), and
# a name and Enter give a message box instead of a silent nothing, with no job.
source "$(dirname "$0")/e2e.bash"

reference_program="$(dirname "$1")/tests/e2e_reference_box"
[ -x "$reference_program" ] || fail "no $reference_program"
lpstat -r 2>/dev/null | grep -q "is running" || skip "no CUPS server is running (tools/cups-pdf start)"

# A queue of this test's own on the shared server, refusing jobs, as the default.
queue="ENSHU_E2E_$$"
REFERENCE=""
cleanup() {
    [ -n "$REFERENCE" ] && kill "$REFERENCE" 2>/dev/null || true
    cancel -a "$queue" 2>/dev/null || true
    lpadmin -x "$queue" 2>/dev/null || true
    e2e_cleanup
}
trap cleanup EXIT
lpadmin -p "$queue" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null || fail "lpadmin failed"
cupsreject -r "closed for the test" "$queue"
export LPDEST=$queue
unset PRINTER

e2e_start "$1"

# The buttons' row (the box's bottom 40 pixels) of a window, as raw pixels.
button_row() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -display "$DISPLAY" -window root -crop "${WIDTH}x40+${X}+$((Y + HEIGHT - 40))" "$2"
}

# The reference box first, then the program's own: their buttons' rows must match
# (a few tries, while a busy machine finishes painting).
env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$E2E_TMP" "$reference_program" >/dev/null 2>&1 &
REFERENCE=$!
reference=$(timeout 20 xdotool search --sync --name '^reference name box$' | head -1) || fail "no reference box"
sleep 0.5
button_row "$reference" "$E2E_TMP/reference.png"
kill "$REFERENCE"
REFERENCE=""

window_click 284 28
box=$(timeout 20 xdotool search --sync --name '^印刷$' | head -1) || fail "no name box"
different=""
for _ in $(seq 10); do
    sleep 0.3
    button_row "$box" "$E2E_TMP/program.png"
    different=$(compare -metric AE "$E2E_TMP/program.png" "$E2E_TMP/reference.png" null: 2>&1 || true)
    [ "$different" = 0 ] && break
done
[ "$different" = 0 ] || fail "the name box's buttons are not worded OK / キャンセル ($different pixels differ)"

xdotool windowfocus --sync "$box"
xdotool type --delay 30 "Hanako"
xdotool key Return
message=""
for _ in $(seq 100); do
    message=$(xdotool search --name '^印刷$' 2>/dev/null | grep -v "^$box\$" | head -1 || true)
    [ -n "$message" ] && break
    sleep 0.1
done
[ -n "$message" ] || fail "no message box after the refused job"
[ -z "$(lpstat -W all -o "$queue" 2>/dev/null)" ] || fail "a job reached the refusing queue"
echo "1 passed, 0 failed"
