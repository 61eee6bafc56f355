#!/usr/bin/env bash
# The real program under Xvfb: a prepared application folder starts quietly, shows the main
# window and leaves its settings file untouched.
#   startup_e2e.sh PATH_TO_BRACKMOOR
set -u
program="$1"
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "Xvfb or xdotool missing"; exit 77; }

work="$(mktemp -d)"
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/app/Snaps" "$work/games"
cp "$program" "$work/app/brackmoor"
{
    printf '[Brackmoor]\r\nStartGameDir=%s\r\n' "$work/games"
    printf '[WinUAE Compatability]\r\nWinUAEName=/bin/true\r\nWinUAECommandLinePass=-config=\r\n'
    printf '[WorkBench Locations]\r\n1=\r\n[Config Locations]\r\n1=%s\r\n2=\r\n' "$work/A500.uae"
    printf '[Media]\r\nWidth=4600\r\nHeight=3950\r\nLeft=0\r\nTop=4000\r\n'
} > "$work/app/Brackmoor.INI"
before="$(md5sum < "$work/app/Brackmoor.INI")"

Xvfb -displayfd 3 -screen 0 1280x1024x24 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

"$work/app/brackmoor" >"$work/log" 2>&1 &
app_pid=$!
window="$(timeout 30 xdotool search --sync --onlyvisible --name '^Brackmoor$' | head -n 1)"
if [ -z "$window" ]; then
    echo "FAIL: no main window"; cat "$work/log"; exit 1
fi
sleep 1
# A message box would be a second top-level window titled Brackmoor.
count="$(xdotool search --onlyvisible --name '^Brackmoor$' | wc -l)"
[ "$count" -eq 1 ] || { echo "FAIL: $count windows titled Brackmoor (a message box?)"; exit 1; }
kill -0 "$app_pid" || { echo "FAIL: the program ended"; exit 1; }
[ "$(md5sum < "$work/app/Brackmoor.INI")" = "$before" ] || { echo "FAIL: settings rewritten"; exit 1; }
echo "main window $window shown; 1 passed, 0 failed"
