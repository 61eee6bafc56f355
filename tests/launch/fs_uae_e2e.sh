#!/usr/bin/env bash
# The real program under Xvfb with the real FS-UAE: a double click on the A disk of a lettered set
# rewrites a ".fs-uae" configuration and starts FS-UAE on it; FS-UAE's log must show the A and B
# disks inserted in drives 0 and 1. Skipped (77) where fs-uae, Xvfb or xdotool is missing.
#   fs_uae_e2e.sh PATH_TO_BRACKMOOR PATH_TO_MAKE_ADF
set -u
program="$1"
make_adf="$2"
work="$(mktemp -d)"
. "$(dirname "$0")/../support/e2e.sh"
e2e_require fs-uae Xvfb xdotool pgrep
emu_pid=""
cleanup() {
    [ -n "$emu_pid" ] && kill "$emu_pid" 2>/dev/null
    # FS-UAE is not our child: wait for it to go before its folder is removed.
    for _ in $(seq 100); do [ -z "$emu_pid" ] || ! kill -0 "$emu_pid" 2>/dev/null && break; sleep 0.1; done
    [ -n "$emu_pid" ] && kill -0 "$emu_pid" 2>/dev/null && kill -KILL "$emu_pid"
    e2e_cleanup
}
trap cleanup EXIT

# Blanks in the base folder and the configuration's folder: both must reach FS-UAE whole.
app="$work/app" games="$work/games" base="$work/FS UAE" config="$work/My Configs/A500.fs-uae"
log="$base/Cache/Logs/fs-uae.log.txt"
mkdir -p "$app/Snaps" "$games/Amiga" "$work/My Configs"
cp "$program" "$app/brackmoor"
"$make_adf" "$games/Amiga/Lemmings A.adf" "$games/Amiga/Lemmings B.adf" "$games/Amiga/Zool.adf" ||
    fail "make_adf"
printf '[fs-uae]\namiga_model = A500\n' > "$config"

# Quoted, so that the blank after the base folder survives the read.
e2e_settings "$app/Brackmoor.INI" "$games" "$(command -v fs-uae)" "\"--base-dir=\"$base\" \"" \
    "$config" uae_floppy
printf '[LEMMINGS]\r\nCF=0\r\nAL=1\r\nWB=0\r\nDU=1\r\n' > "$app/Game Settings.ini"

e2e_start_xvfb
e2e_start_program "$app"
e2e_double_click_first_file  # Lemmings A.adf

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
inserted || { cat "$log"; fail "FS-UAE's log does not show both disks inserted"; }
echo "FS-UAE inserted both disks of the set"
