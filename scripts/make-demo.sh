#!/usr/bin/env bash
# Prepares a demo collection: the program, its settings file, a few blank disk images in a
# small folder tree, two emulator configurations and a Workbench disk.
#   scripts/make-demo.sh BUILD_DIR DEMO_DIR
# What the user changed in an earlier demo (settings, game settings, screenshots) is kept.
set -euo pipefail

build="$(realpath "$1")"
mkdir -p "$2"
demo="$(realpath "$2")"

cp -f "$build/src/app/brackmoor" "$demo/brackmoor"

make_adf="$build/tools/make_adf"
# A collection keeps its games in folders below the start folder (by genre, by letter...).
mkdir -p "$demo/Snaps" "$demo/Games/Platform" "$demo/Games/Puzzle" "$demo/Games/Shoot em up" \
    "$demo/Configurations" "$demo/WorkBench" "$demo/fs-uae"
images=(
    "Games/Platform/Another World.adf"
    "Games/Puzzle/Lemmings A.adf" "Games/Puzzle/Lemmings B.adf"
    "Games/Puzzle/Tetris.adf" "Games/Puzzle/Klax.adz"
    "Games/Shoot em up/Gloom Deluxe (AGA) (Disk 1 of 3).adf"
    "Games/Shoot em up/Gloom Deluxe (AGA) (Disk 2 of 3).adf"
    "Games/Shoot em up/Gloom Deluxe (AGA) (Disk 3 of 3).adf"
    "Games/Shoot em up/Xenon 2 A.adf" "Games/Shoot em up/Xenon 2 B.adf"
    "WorkBench/Workbench 1.3.adf"
)
for image in "${images[@]}"; do
    [ -f "$demo/$image" ] || "$make_adf" "$demo/$image"
done

[ -f "$demo/Configurations/A500.fs-uae" ] || printf '[fs-uae]\namiga_model = A500\n' > "$demo/Configurations/A500.fs-uae"
[ -f "$demo/Configurations/A1200.fs-uae" ] || printf '[fs-uae]\namiga_model = A1200\n' > "$demo/Configurations/A1200.fs-uae"

if ! ls "$demo" | grep -qix 'brackmoor.ini'; then
    emulator="$(command -v fs-uae || echo /usr/games/fs-uae)"
    {
        printf '[Brackmoor]\r\nStartGameDir=%s\r\n' "$demo/Games"
        printf '[WinUAE Compatability]\r\n'
        printf 'WinUAEName=%s\r\n' "$emulator"
        # Quoted, so that the blank that separates it from the configuration path survives.
        printf 'WinUAECommandLinePass="--base-dir=\"%s\" "\r\n' "$demo/fs-uae"
        printf 'FloppyCountName=uae_nr_floppies\r\n'
        for n in 0 1 2 3; do printf 'Floppy%sName=uae_floppy%s\r\n' "$n" "$n"; done
        for n in 0 1 2 3; do printf 'Floppy%sTypeName=uae_floppy%stype\r\n' "$n" "$n"; done
        printf '[WorkBench Locations]\r\n1=%s\r\n' "$demo/WorkBench/Workbench 1.3.adf"
        for n in $(seq 2 10); do printf '%s=\r\n' "$n"; done
        printf '[Config Locations]\r\n1=%s\r\n2=%s\r\n' "$demo/Configurations/A500.fs-uae" "$demo/Configurations/A1200.fs-uae"
        for n in $(seq 3 50); do printf '%s=\r\n' "$n"; done
        printf '[Folder]\r\nWidth=4600\r\nHeight=4000\r\nLeft=0\r\nTop=0\r\n'
        printf '[Files]\r\nWidth=7320\r\nHeight=7950\r\nLeft=4600\r\nTop=0\r\n'
        printf '[Media]\r\nWidth=4600\r\nHeight=3950\r\nLeft=0\r\nTop=4000\r\n'
    } > "$demo/Brackmoor.INI"
fi
echo "Demo collection ready in $demo"
