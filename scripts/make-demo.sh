#!/usr/bin/env bash
# Prepares a demo collection: the program, its settings file, a few blank disk images in a
# small folder tree, title screens for three of them, two emulator configurations and a
# Workbench disk.
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

# Title screens for three of the games, as a capture would have saved them (key + ".jpg").
title_screen() { # key title sky ground
    [ -f "$demo/Snaps/$1.jpg" ] || convert -size 320x256 "gradient:$3-black" \
        -fill "$4" -draw 'rectangle 0,200 320,256' -fill '#ffffff40' -draw 'circle 250,60 250,84' \
        -font DejaVu-Sans-Bold -pointsize 34 -fill white -stroke black -strokewidth 2 \
        -gravity center -annotate +0-30 "$2" -stroke none -pointsize 11 \
        -annotate +0+88 'PRESS FIRE TO START' -filter point -resize 200% \
        -quality 90 "$demo/Snaps/$1.jpg" 2>/dev/null || true
}
if command -v convert >/dev/null; then
    title_screen KLAX KLAX '#b03060' '#4a2a6a'
    title_screen LEMMINGS LEMMINGS '#2a60c0' '#3a8a2a'
    title_screen TETRIS TETRIS '#c07020' '#404060'
fi

[ -f "$demo/Configurations/A500.fs-uae" ] || printf '[fs-uae]\namiga_model = A500\n' > "$demo/Configurations/A500.fs-uae"
[ -f "$demo/Configurations/A1200.fs-uae" ] || printf '[fs-uae]\namiga_model = A1200\n' > "$demo/Configurations/A1200.fs-uae"

if ! ls "$demo" | grep -qix 'brackmoor.ini'; then
    emulator="$(command -v fs-uae || echo /usr/bin/fs-uae)"
    # What "Set up for: FS-UAE" of the options dialog writes, with FS-UAE's own files kept in
    # the demo folder. The pass is quoted, so that the blank after "--", which makes the
    # configuration path an argument of its own, survives the read.
    "$build/tools/write_settings" "$demo/Brackmoor.INI" "StartGameDir=$demo/Games" \
        "WinUAEName=$emulator" "WinUAECommandLinePass=\"--base-dir=\"$demo/fs-uae\" -- \"" \
        FloppyCountName=floppy_drive_count \
        Floppy0Name=floppy_drive_0 Floppy1Name=floppy_drive_1 \
        Floppy2Name=floppy_drive_2 Floppy3Name=floppy_drive_3 \
        Floppy0TypeName=uae_floppy0type Floppy1TypeName=uae_floppy1type \
        Floppy2TypeName=uae_floppy2type Floppy3TypeName=uae_floppy3type \
        "Workbench 1=$demo/WorkBench/Workbench 1.3.adf" \
        "Config 1=$demo/Configurations/A500.fs-uae" "Config 2=$demo/Configurations/A1200.fs-uae"
fi
echo "Demo collection ready in $demo"
