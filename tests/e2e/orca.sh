#!/usr/bin/env bash
# Orca itself on the real window, its speech written to a file by speech-dispatcher:
# Shift+Tab into the drawing area, P, →, A and → with the readout of ∠APB shown. The
# transcript has the chosen handle, the value after the arrow and the readout's change.
source "$(dirname "$0")/e2e.bash"
for tool in orca speech-dispatcher; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (tools/install-deps)"
done
[ -x /usr/lib/speech-dispatcher-modules/sd_generic ] || skip "speech-dispatcher has no generic module"
e2e_accessibility_session "$@"

# Orca and speech-dispatcher live in a home of their own: speech goes to a file.
transcript="$E2E_TMP/speech.txt"
export HOME="$E2E_TMP/home" XDG_RUNTIME_DIR="$E2E_TMP/run"
mkdir -p "$HOME/.config/speech-dispatcher/modules" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cat >"$HOME/.config/speech-dispatcher/speechd.conf" <<'CONF'
AddModule "filewriter" "sd_generic" "filewriter.conf"
DefaultModule filewriter
AudioOutputMethod "libao"
CONF
echo "default_driver=null" >"$HOME/.libao" # no sound card: the module only writes
cat >"$HOME/.config/speech-dispatcher/modules/filewriter.conf" <<CONF
GenericExecuteSynth "echo \'\$DATA\' >> $transcript"
GenericLanguage "ja" "ja" "utf-8"
GenericLanguage "en" "en" "utf-8"
AddVoice "ja" "MALE1" "ja"
AddVoice "en" "MALE1" "en"
CONF
touch "$transcript"

e2e_start "$1"
# speech-dispatcher forks: its own pid file names the server to stop.
speech-dispatcher -s -t 0 -P "$E2E_TMP/speechd.pid" >"$E2E_TMP/speechd.log" 2>&1 &
orca --replace >"$E2E_TMP/orca.log" 2>&1 &
orca=$!
stop_speech() {
    kill "$orca" 2>/dev/null || true
    [ -s "$E2E_TMP/speechd.pid" ] && kill "$(cat "$E2E_TMP/speechd.pid")" 2>/dev/null || true
    kill "$E2E_ATSPI" 2>/dev/null || true
    e2e_cleanup
}
trap stop_speech EXIT
for _ in $(seq 60); do grep -q "Screen reader on" "$transcript" && break; sleep 0.5; done
grep -q "Screen reader on" "$transcript" || skip "Orca did not start to speak within 30 s"

say() { # keys, then a pause for Orca to speak
    xdotool key "$@"
    sleep 1.5
}
window_click 920 72 # 点Ｐ
window_click 920 104 # ∠ＡＰＢ
window_click 920 136 # 円周角: the focus is on this box now
sleep 1
say shift+Tab shift+Tab shift+Tab # into the drawing area, at the radius handle
say p
say Right
say a
say Right
sleep 1
echo "Orca said:"
sed 's/^/  /' "$transcript"
heard() { grep -qE "$1" "$transcript" || fail "Orca did not say: $2"; }
heard '^円周角の図' "the drawing area's name on entering it"
heard '^点[PＰ] slider 110' "the chosen handle P with its value"
heard '^111' "P's value after →"
heard '円周角 49.5 度' "the readout's change after A moved"
if grep -q '中心角 [0-9]' "$transcript"; then fail "Orca told the hidden central angle"; fi
echo "1 passed, 0 failed"
