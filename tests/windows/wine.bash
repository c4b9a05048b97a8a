# Helpers for the checks of the Windows build under wine: the cross-built Qt from the
# cache (without it the check is skipped), the program and tests tools/windows built,
# and a fresh Wine prefix of the check's own. Source it after tests/e2e/e2e.bash or
# on its own; call wine_prefix.
set -euo pipefail
WIN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
WIN_OUT="$WIN_ROOT/build-windows"
WIN_BUILD="$WIN_OUT/build"
WIN_STAGE="$WIN_OUT/stage"
WIN_TMP="$(mktemp -d)"
WIN_XVFB=""

wine_cleanup() {
    [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null || true
    [ -n "$WIN_XVFB" ] && kill "$WIN_XVFB" 2>/dev/null || true
    rm -rf "$WIN_TMP"
}
# e2e.bash has a cleanup of its own: both run.
if declare -F e2e_cleanup >/dev/null; then
    trap 'wine_cleanup; e2e_cleanup' EXIT
else
    trap wine_cleanup EXIT
fi

wine_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

QT_PREFIX="$("$WIN_ROOT/tools/windows.d/qt-cross" --cached)" || {
    echo "SKIP: the Windows checks were skipped: no cross-built Qt in the cache" \
        "(tools/windows builds it once, about 35 minutes on two cores)"
    exit 77
}
for tool in wine wineserver winepath; do
    command -v "$tool" >/dev/null || wine_fail "$tool is not installed (tools/windows installs it)"
done
[ -x "$WIN_BUILD/enshukaku.exe" ] || wine_fail "no $WIN_BUILD/enshukaku.exe (tools/windows --tests builds it)"

# A fresh 64-bit Wine prefix in a temporary folder, quiet, without the .NET and HTML
# engines it would offer to download; prints how long it took.
wine_prefix() {
    export WINEPREFIX="$WIN_TMP/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    local start=$SECONDS
    wineboot -i >"$WIN_TMP/wineboot.log" 2>&1 || { cat "$WIN_TMP/wineboot.log" >&2; wine_fail "wineboot -i failed"; }
    wineserver -w
    echo "fresh Wine prefix made in $((SECONDS - start)) s"
}

# An Xvfb display of the check's own: Wine makes windows, even the hidden one Qt's
# event loop needs under the offscreen platform, only on an X server.
wine_display() {
    local n
    for n in $(seq 60 99); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
        WIN_XVFB=$!
        export DISPLAY=":$n"
        for _ in $(seq 100); do
            xdpyinfo >/dev/null 2>&1 && return 0
            kill -0 "$WIN_XVFB" 2>/dev/null || break
            sleep 0.1
        done
        kill "$WIN_XVFB" 2>/dev/null || true
        WIN_XVFB=""
    done
    wine_fail "Xvfb did not start on any display from :60 to :99"
}

# Windows' name of a path of this machine.
win_path() { winepath -w "$1" 2>/dev/null; }

# Whether the registry key $1 exists in the prefix.
reg_has() { wine reg query "$1" >/dev/null 2>&1; }
