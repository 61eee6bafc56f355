#!/usr/bin/env bash
# The real program under Xvfb with the real FS-UAE: a double click on the A disk of a lettered set
# rewrites a ".fs-uae" configuration and starts FS-UAE on it; FS-UAE's log must show the A and B
# disks inserted in drives 0 and 1. Skipped (77) where fs-uae, Xvfb or xdotool is missing.
#   fs_uae_e2e.sh PATH_TO_BRACKMOOR PATH_TO_MAKE_ADF
set -u
program="$1"
make_adf="$2"
for tool in fs-uae Xvfb xdotool pgrep; do
    command -v "$tool" >/dev/null || { echo "$tool missing"; exit 77; }
done

work="$(mktemp -d)"
xvfb_pid="" app_pid="" emu_pid=""
cleanup() {
    for pid in $emu_pid $app_pid $xvfb_pid; do kill "$pid" 2>/dev/null; done
    for pid in $app_pid $xvfb_pid; do wait "$pid" 2>/dev/null; done
    # FS-UAE is not our child: wait for it to go before removing its folder.
    for _ in $(seq 100); do [ -z "$emu_pid" ] || ! kill -0 "$emu_pid" 2>/dev/null && break; sleep 0.1; done
    [ -n "$emu_pid" ] && kill -0 "$emu_pid" 2>/dev/null && kill -KILL "$emu_pid"
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; cat "$work/log" "$log" 2>/dev/null; exit 1; }

# Blanks in the base folder and the configuration's folder: both must reach FS-UAE whole.
app="$work/app" games="$work/games" base="$work/FS UAE" config="$work/My Configs/A500.fs-uae"
log="$base/Cache/Logs/fs-uae.log.txt"
mkdir -p "$app/Snaps" "$games/Amiga" "$work/My Configs"
cp "$program" "$app/brackmoor"
"$make_adf" "$games/Amiga/Lemmings A.adf" "$games/Amiga/Lemmings B.adf" "$games/Amiga/Zool.adf" ||
    fail "make_adf"
printf '[fs-uae]\namiga_model = A500\n' > "$config"

{
    printf '[Brackmoor]\r\nStartGameDir=%s\r\n' "$games"
    printf '[WinUAE Compatability]\r\nWinUAEName=%s\r\n' "$(command -v fs-uae)"
    # Quoted, so that the blank after the base folder survives the read.
    printf 'WinUAECommandLinePass="--base-dir="%s" "\r\nFloppyCountName=uae_nr_floppies\r\n' "$base"
    for d in 0 1 2 3; do
        printf 'Floppy%sName=uae_floppy%s\r\nFloppy%sTypeName=uae_floppy%stype\r\n' $d $d $d $d
    done
    printf '[WorkBench Locations]\r\n'
    for n in $(seq 10); do printf '%s=\r\n' "$n"; done
    printf '[Config Locations]\r\n1=%s\r\n' "$config"
    for n in $(seq 2 50); do printf '%s=\r\n' "$n"; done
    printf '[Folder]\r\nWidth=4600\r\nHeight=4000\r\nLeft=0\r\nTop=0\r\n'
    printf '[Files]\r\nWidth=6000\r\nHeight=7950\r\nLeft=4600\r\nTop=0\r\n'
    printf '[Media]\r\nWidth=4600\r\nHeight=3950\r\nLeft=0\r\nTop=4000\r\n'
} > "$app/Brackmoor.INI"
printf '[LEMMINGS]\r\nCF=0\r\nAL=1\r\nWB=0\r\nDU=1\r\n' > "$app/Game Settings.ini"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")" XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

"$app/brackmoor" >"$work/log" 2>&1 &
app_pid=$!
[ -n "$(timeout 30 xdotool search --sync --onlyvisible --name '^Brackmoor$')" ] || fail "no window"
sleep 0.5
# Row 0 of the file list (see launch_e2e.sh for the geometry): Lemmings A.adf.
xdotool mousemove --sync 347 51 click --repeat 2 --delay 60 1

# FS-UAE runs detached from the program; its base folder names it.
for _ in $(seq 100); do
    emu_pid="$(pgrep -n -f -- "--base-dir=$base")" && break
    sleep 0.1
done
[ -n "$emu_pid" ] || fail "FS-UAE was not started"
inserted() {
    grep -qF "gui_disk_image_change drive 0 name $games/Amiga/Lemmings A.adf" "$log" 2>/dev/null &&
        grep -qF "gui_disk_image_change drive 1 name $games/Amiga/Lemmings B.adf" "$log"
}
for _ in $(seq 120); do inserted && break; sleep 0.25; done
inserted || fail "FS-UAE's log does not show both disks inserted"
echo "FS-UAE inserted both disks of the set"
