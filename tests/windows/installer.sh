#!/usr/bin/env bash
# The installer's round trip in a fresh Wine prefix, for every user and for this user
# alone: a silent install (/S) puts the program, its Start-menu entry and the lesson
# file type in place; a lesson opened through the file type comes up in a window
# titled by its name; the silent uninstall, as Windows' list of programs starts it,
# leaves no file and no registry key behind that was not there before.
source "$(dirname "$0")/../e2e/e2e.bash"
source "$(dirname "$0")/wine.bash"
version="$(sed -n 's/^project(enshukaku VERSION \([0-9.]*\).*/\1/p' "$WIN_ROOT/CMakeLists.txt")"
setup="$WIN_OUT/enshukaku-$version-setup.exe"
[ -f "$setup" ] || wine_fail "no $setup (tools/windows makes it)"
echo "installer: $(du -h "$setup" | cut -f1) ($setup)"
# The display first: what the shell opens for a file type starts from the prefix's own
# processes, which know only the display they were started with.
wine_display
wine_prefix
drive_c="$WINEPREFIX/drive_c"

# What the prefix holds: its files (the temporary folders aside) and its registry keys.
files_list() { (cd "$drive_c" && find . -path './users/*/Temp' -prune -o -path './windows/temp' -prune -o -print | sort); }
keys_list() {
    local hive
    for hive in HKLM HKCU; do
        wine reg export "$hive\\Software" "$(win_path "$WIN_TMP/$hive.reg")" /y >/dev/null 2>&1 || true
        iconv -f UTF-16LE -t UTF-8 "$WIN_TMP/$hive.reg" 2>/dev/null | tr -d '\r' | grep '^\[' || true
    done | sort
}

# $1: AllUsers or CurrentUser; $2: where the program goes; $3: the hive of its keys.
round_trip() {
    local mode=$1 installed=$2 hive=$3 start
    files_list >"$WIN_TMP/files-before"
    keys_list >"$WIN_TMP/keys-before"

    start=$SECONDS
    wine "$setup" "/$mode" /S || wine_fail "the silent install ($mode) failed"
    wineserver -w
    echo "silent install ($mode) took $((SECONDS - start)) s"
    [ -f "$installed/enshukaku.exe" ] || wine_fail "no enshukaku.exe in $installed"
    local file
    for file in Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6PrintSupport.dll libstdc++-6.dll libgcc_s_seh-1.dll \
        libwinpthread-1.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll qt.conf \
        translations/qtbase_ja.qm uninstall.exe; do
        [ -f "$installed/$file" ] || wine_fail "no $file installed ($mode)"
    done
    find "$drive_c" -name '円周角の定理.lnk' -path '*Start Menu*' | grep -q . || wine_fail "no Start-menu entry ($mode)"
    wine reg query "$hive\\Software\\Classes\\.enshu" /ve 2>/dev/null | grep -q enshukaku.lesson ||
        wine_fail "the .enshu file type is not registered ($mode)"
    wine reg query "$hive\\Software\\Classes\\enshukaku.lesson\\DefaultIcon" /ve 2>/dev/null |
        grep -q 'enshukaku.exe,1' || wine_fail "the lesson file has no icon of its own ($mode)"
    wine reg query "$hive\\Software\\Classes\\.enshu\\OpenWithProgids" 2>/dev/null | grep -q enshukaku.lesson ||
        wine_fail "the program is not offered under Open with ($mode)"

    [ "$mode" = AllUsers ] && open_lesson

    local command exe args
    command="$(wine reg query "$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\enshukaku" \
        /v QuietUninstallString 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')"
    [ -n "$command" ] || wine_fail "no QuietUninstallString ($mode)"
    exe="$(sed 's/^"\([^"]*\)".*/\1/' <<<"$command")"
    args="$(sed 's/^"[^"]*" *//' <<<"$command")"
    start=$SECONDS
    # shellcheck disable=SC2086 # the options as the registry gives them
    wine "$exe" $args || wine_fail "the silent uninstall ($mode) failed"
    # The uninstaller goes on from a copy of itself in the temporary folder.
    wineserver -w
    echo "silent uninstall ($mode) took $((SECONDS - start)) s"

    files_list >"$WIN_TMP/files-after"
    keys_list >"$WIN_TMP/keys-after"
    local left_files left_keys
    left_files="$(comm -13 "$WIN_TMP/files-before" "$WIN_TMP/files-after")"
    left_keys="$(comm -13 "$WIN_TMP/keys-before" "$WIN_TMP/keys-after")"
    [ -z "$left_files" ] || wine_fail "files left after uninstalling ($mode): $left_files"
    [ -z "$left_keys" ] || wine_fail "registry keys left after uninstalling ($mode): $left_keys"
}

# A lesson opened through its file type, as a double-click does.
open_lesson() {
    # (xdotool reads the title Wine gives X in the C locale: the name is kept in ASCII.)
    local lesson="$WIN_TMP/enshu-lesson.enshu" opener="$WIN_TMP/open-lesson"
    cp "$WIN_ROOT/tests/data/initial-screen.enshu" "$lesson"
    printf '#!/bin/sh\nexec wine start /unix "$1"\n' >"$opener"
    chmod +x "$opener"
    E2E_TITLE='^enshu-lesson' e2e_launch "$opener" "$lesson"
    [ "$(canvas_pixel 300 300)" = FFFFFF ] || wine_fail "the lesson's window shows no white canvas"
    echo "a lesson opened through its file type in a window titled by its name"
    wineserver -k 2>/dev/null || true
    wineserver -w
}

round_trip AllUsers "$drive_c/Program Files/enshukaku" HKLM
round_trip CurrentUser "$drive_c/users/$(id -un)/AppData/Local/Programs/enshukaku" HKCU
echo "1 passed, 0 failed"
