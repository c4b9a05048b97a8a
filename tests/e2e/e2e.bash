# Helpers for the real-window tests: a private Xvfb display, the built program in
# it, screenshots and pixels in the coordinates of the window's client area (below
# its menu bar). Source it; call e2e_start.
set -euo pipefail

E2E_TMP=$(mktemp -d)
E2E_XVFB=""
E2E_APP=""

e2e_cleanup() {
    [ -n "$E2E_APP" ] && kill "$E2E_APP" 2>/dev/null || true
    [ -n "$E2E_XVFB" ] && kill "$E2E_XVFB" 2>/dev/null || true
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Ends the test as skipped (exit 77, which CTest reports as such) because a service
# it needs is missing; under CI=true a missing service is a failure instead.
skip() {
    [ "${CI:-}" = true ] && fail "$1"
    echo "SKIP: $1"
    exit 77
}

# Why the cups-pdf queue cannot take a page here; nothing when it can.
pdf_queue_missing() {
    if ! lpstat -r 2>/dev/null | grep -q "is running"; then
        echo "no CUPS server is running (tools/cups-pdf start)"
    elif ! lpstat -d 2>/dev/null | grep -q ": PDF$"; then
        echo "the default printer is not the cups-pdf queue PDF"
    fi
}

# Waits up to a minute for the cups-pdf printout whose title holds $1 and prints its
# path. The queue is shared, so a printout is known by its title, never by being the
# newest file or the latest job.
wait_for_printout() {
    local file pdf_dir
    pdf_dir="$(getent passwd "$(id -un)" | cut -d: -f6)/PDF"
    for _ in $(seq 120); do
        for file in "$pdf_dir"/*.pdf; do
            [ -f "$file" ] || continue
            if pdfinfo "$file" 2>/dev/null | grep "^Title:" | grep -qF "$1"; then
                echo "$file"
                return 0
            fi
        done
        sleep 0.5
    done
    return 1
}

# Starts Xvfb on a free display and the program given as $1 in it, with the rest of
# the arguments as its own. The screen is E2E_SCREEN (1280x800 unless set); E2E_WORKAREA
# ("x y width height") leaves the rest of it out of the available area, as a task bar
# does. The program's settings live in a directory of their own. The window is the one
# whose title holds E2E_TITLE ("by Pelmora" unless set).
e2e_start() {
    local program=$1
    shift
    local tool
    for tool in Xvfb xdotool xdpyinfo import convert; do
        command -v "$tool" >/dev/null || skip "$tool is not installed (tools/install-deps)"
    done
    # Root properties set before the program starts must outlive the server's reset
    # when the last client leaves.
    local keep=()
    [ -n "${E2E_WORKAREA:-}" ] && keep=(-noreset)
    # Another test may take the same free number at the same moment: then our Xvfb
    # ends at once, and the next number is tried.
    for n in $(seq 60 99); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 "${E2E_SCREEN:-1280x800}x24" "${keep[@]}" -nolisten tcp >/dev/null 2>&1 &
        E2E_XVFB=$!
        export DISPLAY=":$n"
        for _ in $(seq 100); do
            kill -0 "$E2E_XVFB" 2>/dev/null || break
            xdpyinfo >/dev/null 2>&1 && break
            sleep 0.1
        done
        kill -0 "$E2E_XVFB" 2>/dev/null && xdpyinfo >/dev/null 2>&1 && break
        kill "$E2E_XVFB" 2>/dev/null || true
        E2E_XVFB=""
    done
    [ -n "$E2E_XVFB" ] || skip "Xvfb did not start on any display from :60 to :99"
    if [ -n "${E2E_WORKAREA:-}" ]; then
        # Without a window manager, Qt reads the available area from these root properties.
        xprop -root -f _NET_SUPPORTED 32a -set _NET_SUPPORTED _NET_WORKAREA
        xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "${E2E_WORKAREA// /, }"
    fi
    e2e_launch "$program" "$@"
}

# Starts the program given as $1 (again) on the display of e2e_start, with the rest of
# the arguments as its own, and waits for its window. Its settings, those of Qt's own
# dialogs, and its data (the last figure) live in directories of their own.
e2e_launch() {
    local program=$1
    shift
    mkdir -p "$E2E_TMP/config" "$E2E_TMP/data"
    env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$E2E_TMP" XDG_CONFIG_HOME="$E2E_TMP/config" \
        XDG_DATA_HOME="$E2E_TMP/data" "$program" "$@" >>"$E2E_TMP/app.log" 2>&1 &
    E2E_APP=$!
    WINDOW=$(timeout 20 xdotool search --sync --name "${E2E_TITLE:-by Pelmora}" | head -1) || fail "no window appeared"
    # Once shown, the window fits its zoom to its real frame (none here) once more.
    sleep 0.8
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    WINDOW_X=$X
    WINDOW_Y=$Y
    WINDOW_WIDTH=$WIDTH
    WINDOW_HEIGHT=$HEIGHT
    read -r CLIENT_X CLIENT_Y <<<"$(client_origin)"
    CLIENT_HEIGHT=$((WINDOW_Y + WINDOW_HEIGHT - CLIENT_Y))
}

# The client area's top left on the screen, as "x y": the window's, moved down past the
# menu bar to the first row of the pale green panel in the client area's left column.
client_origin() {
    e2e_shot
    local top
    top=$(convert "$E2E_TMP/screen.png" -crop "1x$WINDOW_HEIGHT+$((WINDOW_X + 2))+$WINDOW_Y" +repage txt:- |
        awk -F'[,: ]+' 'NR > 1 && toupper($0) ~ /#C0FFC0/ { print $2; exit }')
    [ -n "$top" ] || fail "no pale green client area in the window"
    echo "$WINDOW_X $((WINDOW_Y + top))"
}

# Takes a screenshot of the whole screen into $E2E_TMP/screen.png.
e2e_shot() {
    sleep 0.3
    import -display "$DISPLAY" -window root "$E2E_TMP/screen.png"
}

# Colour as RRGGBB of the last screenshot at a point of the window's client area.
window_pixel() {
    convert "$E2E_TMP/screen.png" -format "%[hex:p{$((CLIENT_X + $1)),$((CLIENT_Y + $2))}]" info: | cut -c1-6
}

# The same for a point of the canvas drawing area (its origin is at 18, 58 of the client area).
canvas_pixel() { window_pixel $(($1 + 18)) $(($2 + 58)); }

expect_canvas() {
    local got
    got=$(canvas_pixel "$1" "$2")
    [ "${got^^}" = "${3^^}" ] || fail "canvas ($1, $2) is $got, expected $3${4:+ ($4)}"
}

# Pointer actions at canvas points.
canvas_move() { xdotool mousemove --sync $((CLIENT_X + 18 + $1)) $((CLIENT_Y + 58 + $2)); }
window_click() {
    xdotool mousemove --sync $((CLIENT_X + $1)) $((CLIENT_Y + $2)) click 1
    sleep 0.2
}

# The whole pixel at angle $1 (degrees) on the initial circle, as "x y".
circle_point() {
    awk -v a="$1" 'BEGIN { r = a * 3.14 / 180; printf "%d %d\n", 425 + 250 * cos(r) + 0.5, 325 - 250 * sin(r) + 0.5 }'
}

# The pixel $4 px from ($1, $2) in the direction $3 degrees, as "x y".
mark_point() {
    awk -v x="$1" -v y="$2" -v a="$3" -v d="$4" \
        'BEGIN { r = a * 3.141592653589793 / 180; printf "%d %d\n", x + d * cos(r) + 0.5, y - d * sin(r) + 0.5 }'
}

# Runs the calling test again inside a D-Bus session bus of its own with the AT-SPI
# bus on it, as a desktop session has them for a screen reader; the program started
# later by e2e_start speaks to it. Call before anything else, with the test's arguments.
e2e_accessibility_session() {
    if [ -z "${E2E_DBUS_SESSION:-}" ]; then
        command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed (tools/install-deps)"
        [ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed (tools/install-deps)"
        /usr/bin/python3 -c "import pyatspi" 2>/dev/null || skip "python3-pyatspi is not installed (tools/install-deps)"
        trap - EXIT
        rm -rf "$E2E_TMP"
        E2E_DBUS_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
    fi
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    E2E_ATSPI=$!
    trap 'kill "$E2E_ATSPI" 2>/dev/null || true; e2e_cleanup' EXIT
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}
