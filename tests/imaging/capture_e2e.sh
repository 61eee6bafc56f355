#!/usr/bin/env bash
# The real program under Xvfb, from the X clipboard to the game's screenshot: a PNG put on the
# clipboard by xclip is saved by "Save" on the "Capture" tab, at "Full 100%" and compression 90,
# as Snaps/LEMMINGS.jpg for the selected Lemmings A.adf; the JPEG has the picture's size and
# stays close to it (PSNR above 30 dB).
#   capture_e2e.sh PATH_TO_BRACKMOOR PATH_TO_MAKE_ADF [KEEP_SCREENSHOT_AS]
#
# The places clicked follow the media window's design positions (twips / 15 = pixels) below the
# 19-pixel menu bar, inside the child window's 4-pixel frame and 24-pixel title bar; the tab
# header can be moved with CAPTURE_TAB_XY="x y" if the tab bar's rendering differs.
set -u
program="$1" make_adf="$2" shot_as="${3:-}" work="$(mktemp -d)"
. "$(dirname "$0")/../support/e2e.sh"
e2e_require Xvfb xdotool xclip convert compare identify

app="$work/app" games="$work/games"
e2e_make_app "$games/Amiga/Lemmings A.adf" "$games/Amiga/Lemmings B.adf"
config="$work/A500.uae"
printf 'use_gui=no\r\n' > "$config"
e2e_settings "$app/Brackmoor.INI" "$games" /bin/true -config= "$config"

# A smooth 800 x 600 picture, as a screen grab of a game would be after Print Screen.
convert -size 800x600 gradient:'#2040c0-#e0a020' -depth 8 "$work/grab.png" || fail "convert"

e2e_start_xvfb
e2e_start_program "$app"  # the first file, Lemmings A.adf, is selected at start

# The clipboard, served by xclip in the foreground (so it can be ended by its id) until the
# program has read it.
xclip -quiet -selection clipboard -t image/png -i "$work/grab.png" >/dev/null 2>&1 &
bg_pids=$!
offers_png() { xclip -o -selection clipboard -t TARGETS 2>/dev/null | grep -q '^image/png$'; }
e2e_wait 50 offers_png || fail "the clipboard does not offer image/png"

# The media window's client area: frame at (0, 4000 twips) in the workspace.
left=4
top=$((19 + 4000 / 15 + 24))
click() { xdotool mousemove --sync "$1" "$2" click 1; sleep 0.2; }
read -r tab_x tab_y <<< "${CAPTURE_TAB_XY:-$((left + 85)) $((top + 10))}"
click "$tab_x" "$tab_y"
# txtJPGcompession (150, 2250, 1140 x 285): 90.
click $((left + (150 + 570) / 15)) $((top + (2250 + 142) / 15))
xdotool key --clearmodifiers ctrl+a type 90
# cmbImageSize's text field (2250, 2250, 2040 x 315): "Full 100%".
click $((left + (2250 + 900) / 15)) $((top + (2250 + 157) / 15))
xdotool key --clearmodifiers ctrl+a type 'Full 100%'
# cmdSave (1050, 2925, 2415 x 390).
click $((left + (1050 + 1207) / 15)) $((top + (2925 + 195) / 15))

shot="$app/Snaps/LEMMINGS.jpg"
e2e_wait 50 test -s "$shot"
[ -n "$shot_as" ] && import -window root "$shot_as"
[ -s "$shot" ] || fail "no screenshot saved"
[ "$(identify -format '%m %w %h' "$shot")" = "JPEG 800 600" ] ||
    fail "screenshot is $(identify -format '%m %w %h' "$shot"), not a JPEG of 800 x 600"
psnr="$(compare -metric PSNR "$work/grab.png" "$shot" null: 2>&1 | cut -d' ' -f1)"
awk -v p="$psnr" 'BEGIN { exit !(p > 30) }' || fail "PSNR $psnr dB, not above 30"
kill -0 "$app_pid" || fail "the program ended"
e2e_no_message_box
echo "clipboard saved as the game's screenshot (PSNR $psnr dB); 1 passed, 0 failed"
