#!/usr/bin/env bash
# The real program prints to the cups-pdf queue: a click on "印刷", a name typed
# into the box and Enter give one page whose title carries the name; Escape in the
# box gives no job at all.
source "$(dirname "$0")/e2e.bash"

missing=$(pdf_queue_missing)
[ -z "$missing" ] || skip "$missing"

e2e_start "$1"
last_job() { lpstat -W all -o 2>/dev/null | sed -n 's/^[^ ]*-\([0-9]*\) .*/\1/p' | sort -n | tail -1; }

# Clicks "印刷" and waits for the name box.
open_name_box() {
    window_click 284 28
    timeout 20 xdotool search --sync --name '^印刷$' | head -1
}

# Escape: no job. Other programs may print on the shared queue meanwhile, so a new
# job counts against the program only when it comes after each of three tries.
for try in 1 2 3; do
    before=$(last_job)
    box=$(open_name_box)
    xdotool windowfocus --sync "$box"
    xdotool key Escape
    sleep 2
    [ "$(last_job)" = "$before" ] && break
    [ "$try" = 3 ] && fail "a cancelled name box sent a job (three times)"
done

# A name and Enter: one job, one page, the name in the job's title.
name="Hanako$$"
box=$(open_name_box)
xdotool windowfocus --sync "$box"
xdotool type --delay 30 "$name"
xdotool key Return
pdf=$(wait_for_printout "$name") || fail "no printout titled with $name in $HOME/PDF within 60 s"
info=$(pdfinfo "$pdf")
echo "$info" | grep -q "^Pages: *1$" || fail "not one page: $(echo "$info" | grep Pages)"
rm -f "$pdf"
echo "1 passed, 0 failed"
