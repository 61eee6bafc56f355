#!/usr/bin/env bash
# Takes the README's screenshot (docs/screenshot.png): builds Brackmoor, prepares the demo
# collection in build/screenshot-demo, starts it under a private Xvfb and clicks its first game.
#   scripts/screenshot.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset dev >/dev/null
nice cmake --build --preset dev --target brackmoor make_adf write_settings
demo=build/screenshot-demo
rm -rf "$demo"
scripts/make-demo.sh build/dev "$demo"

work="$(mktemp -d)"
. tests/support/e2e.sh
trap 'set +e; e2e_cleanup' EXIT
e2e_start_xvfb
e2e_start_program "$demo"
# The second folder of the folder bar ("Puzzle": the folder window's list starts below its
# title bar and drive row, 14-pixel rows), then the first game of the file list, clicked once:
# its screenshot, settings and note show.
xdotool mousemove --sync 40 $((19 + 24 + 30 + 7 + 14)) click 1
sleep 1
xdotool mousemove --sync $((307 + 40)) $((19 + 24 + 1 + 7)) click 1
sleep 1
e2e_no_message_box
import -window root "$work/root.png"
# The three windows at their default places, from the main window at 0,0.
convert "$work/root.png" -crop 796x550+0+0 +repage docs/screenshot.png
echo "docs/screenshot.png made"
