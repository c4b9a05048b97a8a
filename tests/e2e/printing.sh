#!/usr/bin/env bash
# The real program under Xvfb prints to the cups-pdf queue: a click on "印刷", a
# name typed into the box and Enter give one page whose job carries the name;
# Escape in the box gives no job at all.
# Usage: printing.sh <path of enshukaku>
set -euo pipefail
program="$1"

unavailable() {
    if [ "${CI:-}" = true ]; then
        echo "FAIL: $1"
        exit 1
    fi
    echo "SKIP: $1"
    exit 0
}
lpstat -r 2>/dev/null | grep -q "is running" || unavailable "no CUPS server is running (tools/cups-pdf start)"
lpstat -d 2>/dev/null | grep -q ": PDF$" || unavailable "the default printer is not the cups-pdf queue PDF"

display=""
for n in $(seq 150 199); do
    if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then display=":$n" && break; fi
done
[ -n "$display" ] || { echo "FAIL: no free X display"; exit 1; }
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY="$display"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"$program" &
app=$!
window=$(timeout 20 xdotool search --sync --name 'by Pelmora' | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
left=$X
top=$Y

last_job() { lpstat -W all -o 2>/dev/null | sed -n 's/^[^ ]*-\([0-9]*\) .*/\1/p' | sort -n | tail -1; }

# Clicks "印刷" (at 256, 16, 57 x 25 in the window) and waits for the name box.
open_name_box() {
    xdotool mousemove --sync $((left + 284)) $((top + 28)) click 1
    timeout 20 xdotool search --sync --name '^印刷$' | head -1
}

fail() {
    echo "FAIL: $1"
    exit 1
}

# Escape: no job.
before=$(last_job)
box=$(open_name_box)
xdotool windowfocus --sync "$box"
xdotool key Escape
sleep 2
[ "$(last_job)" = "$before" ] || fail "a cancelled name box sent a job"

# A name and Enter: one job, one page, the name in the job's title.
name="Hanako$$"
box=$(open_name_box)
xdotool windowfocus --sync "$box"
xdotool type --delay 30 "$name"
xdotool key Return
job=""
for _ in $(seq 100); do
    job=$(last_job)
    [ "$job" != "$before" ] && break
    sleep 0.1
done
[ -n "$job" ] && [ "$job" != "$before" ] || fail "no print job after the name"

pdf=""
for _ in $(seq 120); do
    pdf=$(ls "$HOME"/PDF/*job_"$job".pdf 2>/dev/null | head -1 || true)
    [ -n "$pdf" ] && pdfinfo "$pdf" >/dev/null 2>&1 && break
    pdf=""
    sleep 0.5
done
[ -n "$pdf" ] || fail "no PDF of job $job in $HOME/PDF within 60 s"
info=$(pdfinfo "$pdf")
echo "$info" | grep -q "^Pages: *1$" || fail "not one page: $(echo "$info" | grep Pages)"
echo "$info" | grep "^Title:" | grep -q "$name" || fail "the job's title lacks the name: $(echo "$info" | grep Title)"
rm -f "$pdf"
echo "PASS: job $job printed one page for $name"
