#!/usr/bin/env bash
# The real program under Xvfb with the real FS-UAE: a double click on the A disk of a lettered set
# rewrites a ".fs-uae" configuration and starts FS-UAE on it; FS-UAE's log must show the A and B
# disks inserted in drives 0 and 1. Skipped (77) where fs-uae, Xvfb or xdotool is missing.
#   fs_uae_e2e.sh PATH_TO_BRACKMOOR PATH_TO_MAKE_ADF
set -u
program="$1" make_adf="$2" work="$(mktemp -d)"
. "$(dirname "$0")/../support/e2e.sh"
e2e_require fs-uae Xvfb xdotool pgrep

# Blanks in the base folder and the configuration's folder: both must reach FS-UAE whole.
app="$work/app" games="$work/games" base="$work/FS UAE" config="$work/My Configs/A500.fs-uae"
log="$base/Cache/Logs/fs-uae.log.txt"
e2e_make_app "$games/Amiga/Lemmings A.adf" "$games/Amiga/Lemmings B.adf" "$games/Amiga/Zool.adf"
mkdir -p "$work/My Configs"
printf '[fs-uae]\namiga_model = A500\n' > "$config"

# Quoted, so that the blank after the base folder survives the read.
e2e_settings "$app/Brackmoor.INI" "$games" "$(command -v fs-uae)" "\"--base-dir=\"$base\" \"" \
    "$config" uae_floppy
printf '[LEMMINGS]\r\nCF=0\r\nAL=1\r\nWB=0\r\nDU=1\r\n' > "$app/Game Settings.ini"

e2e_start_xvfb
e2e_start_program "$app"
e2e_double_click_first_file  # Lemmings A.adf

# FS-UAE runs detached from the program; its base folder names it.
e2e_wait 100 e2e_started "--base-dir=$base" || fail "FS-UAE was not started"
e2e_wait 300 e2e_fs_uae_shows "$log" "drive 0 name $games/Amiga/Lemmings A.adf" \
    "drive 1 name $games/Amiga/Lemmings B.adf" ||
    { cat "$log"; fail "FS-UAE's log does not show both disks inserted"; }
echo "FS-UAE inserted both disks of the set"
