#!/usr/bin/env bash
# The real program under Xvfb, from a double click to the emulator: a double click on the A
# disk of a lettered set in the file list starts a stand-in emulator, which records its
# arguments, with the configuration whose Brackmoor section names both disks of the set.
#   launch_e2e.sh PATH_TO_BRACKMOOR PATH_TO_MAKE_ADF [KEEP_SCREENSHOT_AS]
set -u
program="$1"
make_adf="$2"
shot_as="${3:-}"
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "Xvfb or xdotool missing"; exit 77; }

work="$(mktemp -d)"
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/log" ] && cat "$work/log"; exit 1; }

app="$work/app"
games="$work/games"
mkdir -p "$app/Snaps" "$games/Amiga" "$games/Demos"
cp "$program" "$app/brackmoor"
"$make_adf" "$games/Amiga/Lemmings A.adf" "$games/Amiga/Lemmings B.adf" "$games/Amiga/Zool.adf" ||
    fail "make_adf"

# The stand-in emulator: writes its arguments, one a line, then ends.
cat > "$work/emulator.sh" <<EOF
#!/bin/sh
printf '%s\n' "\$@" > "$work/args.part" && mv "$work/args.part" "$work/args"
EOF
chmod +x "$work/emulator.sh"

config="$work/A500.uae"
printf 'config_description=Stand-in A500\r\nchipset=ocs\r\nuse_gui=no\r\n' > "$config"
config_before="$(cat "$config")"

{
    printf '[Brackmoor]\r\nStartGameDir=%s\r\n' "$games"
    printf '[WinUAE Compatability]\r\nWinUAEName=%s\r\nWinUAECommandLinePass=-config=\r\n' \
        "$work/emulator.sh"
    printf 'FloppyCountName=nr_floppies\r\n'
    for d in 0 1 2 3; do printf 'Floppy%sName=floppy%s\r\n' "$d" "$d"; done
    printf '[WorkBench Locations]\r\n'
    for n in $(seq 10); do printf '%s=\r\n' "$n"; done
    printf '[Config Locations]\r\n1=%s\r\n' "$config"
    for n in $(seq 2 50); do printf '%s=\r\n' "$n"; done
    # Twips: the folder bar top left, the media window below it, the file list to the right.
    printf '[Folder]\r\nWidth=4600\r\nHeight=4000\r\nLeft=0\r\nTop=0\r\n'
    printf '[Files]\r\nWidth=6000\r\nHeight=7950\r\nLeft=4600\r\nTop=0\r\n'
    printf '[Media]\r\nWidth=4600\r\nHeight=3950\r\nLeft=0\r\nTop=4000\r\n'
} > "$app/Brackmoor.INI"
# Lemmings is remembered with "Autoload ABCD" and "Dissable Unused Drives" on.
printf '[LEMMINGS]\r\nCF=0\r\nAL=1\r\nWB=0\r\nDU=1\r\n' > "$app/Game Settings.ini"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

"$app/brackmoor" >"$work/log" 2>&1 &
app_pid=$!
window="$(timeout 30 xdotool search --sync --onlyvisible --name '^Brackmoor$' | head -n 1)"
[ -n "$window" ] || fail "no main window"
sleep 0.5

# The main window sits at 0,0 without a frame, its workspace below the 19-pixel menu bar. The
# file list window's frame is at (4600 twips, 0) = (307, 0) in the workspace, with a 24-pixel
# title bar; below it the list's frame (1 pixel) and its rows, 14 pixels each. Row 0 is the
# first file of "Amiga", the first folder, shown at start.
menu_bar=19
title_bar=24
x=$((307 + 40))
y=$((menu_bar + title_bar + 1 + 7))
xdotool mousemove --sync "$x" "$y" click --repeat 2 --delay 60 1
for _ in $(seq 100); do [ -s "$work/args" ] && break; sleep 0.1; done
[ -n "$shot_as" ] && command -v import >/dev/null && import -window root "$shot_as"
[ -s "$work/args" ] || fail "the stand-in emulator was not started"

expected_args="-config=$config"
[ "$(cat "$work/args")" = "$expected_args" ] ||
    fail "arguments: $(cat "$work/args") instead of $expected_args"

# The emulator's own lines stay, the section follows them.
section="$(tr -d '\r' < "$config")"
expected="$(printf '%s\n[Brackmoor]\nnr_floppies=2\nNone=0\nfloppy0=%s\nfloppy1=%s\nfloppy2=\nfloppy3=' \
    "$(printf '%s' "$config_before" | tr -d '\r')" "$games/Amiga/Lemmings A.adf" \
    "$games/Amiga/Lemmings B.adf")"
[ "$section" = "$expected" ] || fail "configuration:
$section
instead of:
$expected"
kill -0 "$app_pid" || fail "the program ended"
# No message box: one window titled Brackmoor.
[ "$(xdotool search --onlyvisible --name '^Brackmoor$' | wc -l)" -eq 1 ] || fail "a message box"
echo "double click launched the set; 1 passed, 0 failed"
