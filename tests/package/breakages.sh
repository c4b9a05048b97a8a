#!/usr/bin/env bash
# tools/package-check refuses a package with any of four faults a reviewer once
# found together: each is made on purpose in a copy of the built package (unpacked
# with dpkg-deb -R, edited, packed again), and the check must fail naming it.
# The program that aborts 3 s after start is the real one behind a wrapper script
# in /usr/bin: `timeout -s ABRT 3` sends it SIGABRT.
source "$(dirname "$0")/../e2e/e2e.bash"
root=$(cd "$(dirname "$0")/../.." && pwd)
version=$(sed -n 's/^project(enshukaku VERSION \([^ ]*\) .*/\1/p' "$root/CMakeLists.txt")
deb="$root/build/package/enshukaku_${version}_amd64.deb"
[ -f "$deb" ] || skip "no package $deb (tools/package builds it)"
app_id=io.github.enshukaku.enshukaku
passed=0

# Unpacks the package into $E2E_TMP/$1, runs the rest of the arguments there, and
# packs it again as $E2E_TMP/$1.deb.
doctor() {
    local name=$1
    shift
    dpkg-deb -R "$deb" "$E2E_TMP/$name"
    (cd "$E2E_TMP/$name" && "$@")
    dpkg-deb -b "$E2E_TMP/$name" "$E2E_TMP/$name.deb" >/dev/null
}

# package-check must fail on $E2E_TMP/$1.deb with a problem that contains $2.
expect_refused() {
    local status=0
    "$root/tools/package-check" --no-upgrade "$E2E_TMP/$1.deb" >"$E2E_TMP/$1.out" 2>&1 || status=$?
    [ "$status" = 77 ] && skip "package-check could not install the package: $(tail -1 "$E2E_TMP/$1.out")"
    [ "$status" = 1 ] || fail "$1: package-check exited $status, not 1"
    grep -F "PROBLEM: " "$E2E_TMP/$1.out" | grep -qF "$2" || {
        grep -F "PROBLEM: " "$E2E_TMP/$1.out" >&2
        fail "$1: no problem about \"$2\""
    }
    echo "PASS $1: $(grep -F "PROBLEM: " "$E2E_TMP/$1.out" | grep -F "$2" | head -1)"
    passed=$((passed + 1))
}

hidden() { echo "NoDisplay=true" >>"usr/share/applications/$app_id.desktop"; }
wrong_class() { sed -i 's/^StartupWMClass=.*/StartupWMClass=Enshukaku-Viewer/' "usr/share/applications/$app_id.desktop"; }
svg_as_text() { echo "the icon was here" >usr/share/icons/hicolor/scalable/apps/enshukaku.svg; }
aborts_after_3s() {
    mkdir -p usr/libexec
    mv usr/bin/enshukaku usr/libexec/enshukaku
    printf '#!/bin/sh\nulimit -c 0\nexec timeout --preserve-status -s ABRT 3 /usr/libexec/enshukaku "$@"\n' >usr/bin/enshukaku
    chmod 755 usr/bin/enshukaku
}

doctor hidden hidden
expect_refused hidden "the menu entry is hidden (NoDisplay=true)"
doctor wrong-class wrong_class
expect_refused wrong-class "StartupWMClass=Enshukaku-Viewer is not the window's WM_CLASS"
doctor svg-as-text svg_as_text
expect_refused svg-as-text "/usr/share/icons/hicolor/scalable/apps/enshukaku.svg does not decode"
doctor aborts-after-3s aborts_after_3s
expect_refused aborts-after-3s "the program ended within 5 s of its start (exit status 134)"
echo "$passed passed, 0 failed"
