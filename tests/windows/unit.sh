#!/usr/bin/env bash
# The unit tests built for Windows, run under wine with the offscreen platform, each
# writing its results to a file (wine gives QtTest's own output no console). Wine
# passes no QT_* variable to a program: they are set as WINEQT_*. Afterwards no test
# may have left settings in the registry: tests keep theirs in INI files of their own.
source "$(dirname "$0")/wine.bash"
wine_display
wine_prefix

# The offscreen platform reads its fonts from one folder: the IPA fonts and a Latin one.
fonts="$WIN_TMP/fonts"
mkdir -p "$fonts"
ln -s /usr/share/fonts/opentype/ipafont-gothic/*.ttf /usr/share/fonts/opentype/ipafont-mincho/*.ttf \
    /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf "$fonts/"
WINEQT_QPA_FONTDIR="$(win_path "$fonts")"
export WINEQT_QPA_PLATFORM=offscreen WINEQT_QPA_FONTDIR
gcc_dir="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"
WINEPATH="$(win_path "$QT_PREFIX/bin");$(win_path "$gcc_dir");$(win_path /usr/x86_64-w64-mingw32/lib)"
export WINEPATH
# The tests find the toolkit's plugins in the cache and its Japanese words where the
# program has them.
# (qt.conf is an INI file, where a backslash starts an escape: the paths take slashes.)
printf '[Paths]\r\nPrefix = %s\r\nTranslations = %s\r\n' "$(win_path "$QT_PREFIX" | tr '\\' /)" \
    "$(win_path "$WIN_STAGE/translations" | tr '\\' /)" >"$WIN_BUILD/qt.conf"

results="$WIN_OUT/unit-results"
rm -rf "$results"
mkdir -p "$results"
failed=()
start=$SECONDS
# The Windows build puts every program in one folder. The long random runs
# (tst_robustness, tst_lessonfuzz) are the Linux build's, under the sanitizers.
cd "$WIN_BUILD" || exit 1
for exe in tst_*.exe; do
    name="${exe%.exe}"
    case "$name" in tst_robustness | tst_lessonfuzz) continue ;; esac
    status=0
    # The zoom is tried on the classroom's screens, as under CTest. (The platform's
    # options are parted by colons: the file is named without its drive, on Z:.)
    case "$name" in
    tst_zoom | tst_shortcuts)
        WINEQT_QPA_PLATFORM="offscreen:configfile=$WIN_ROOT/tests/data/classroom-screens.json" ;;
    *) WINEQT_QPA_PLATFORM=offscreen ;;
    esac
    timeout 600 wine "$exe" -o "$(win_path "$results/$name.txt"),txt" >"$results/$name.wine.log" 2>&1 || status=$?
    totals="$(grep -a '^Totals:' "$results/$name.txt" 2>/dev/null || echo "no results (exit $status)")"
    echo "$name: $totals"
    if [ "$status" -ne 0 ]; then
        failed+=("$name")
        grep -a -B1 -A3 '^FAIL!' "$results/$name.txt" 2>/dev/null | head -40 || true
    fi
done
echo "unit tests under wine took $((SECONDS - start)) s"

# (Qt's own file dialog keeps its state under HKCU\Software\QtProject on Windows,
# whatever the tests choose: that key is Qt's, not the program's.)
for key in 'HKCU\Software\enshukaku'; do
    reg_has "$key" && wine_fail "a test wrote settings into the registry: $key"
done
[ "${#failed[@]}" -eq 0 ] || wine_fail "under wine: ${failed[*]}"
echo "all unit tests passed under wine"
