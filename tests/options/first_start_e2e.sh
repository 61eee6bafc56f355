#!/usr/bin/env bash
# A new user's first start under Xvfb, with the real FS-UAE: the program starts in an empty
# folder, the options dialog opens by itself, "Set up for" FS-UAE with Yes to the starter
# configurations, the games folder chosen in the real folder dialog, Save And Exit; started
# again, a double click on a game starts FS-UAE with the disk in drive 0 and drive 1 empty and
# switched off.
# Skipped (77) where fs-uae, Xvfb or xdotool is missing.
#   first_start_e2e.sh PATH_TO_BRACKMOOR PATH_TO_MAKE_ADF
set -u
program="$1" make_adf="$2" work="$(mktemp -d)"
. "$(dirname "$0")/../support/e2e.sh"
e2e_require fs-uae Xvfb xdotool pgrep

# A home of its own: FS-UAE keeps its files and its log there.
app="$work/app" games="$work/My Games"
export HOME="$work/home"
e2e_make_app "$games/Amiga/Zool.adf"
rmdir "$app/Snaps"  # a first start: the program alone in its folder
mkdir -p "$HOME"

# The one visible window whose title matches $1, focused so that keys go to it; $2 says what
# was expected, for a failure.
focus_window() {
    local window
    window="$(e2e_window "$1" 20)" || fail "no window ${2:-$1}"
    xdotool windowfocus --sync "$window"
    sleep 0.3
}
# Presses Return in the message box now showing; $1 says which one, for a failure.
answer_message() {
    focus_window '^Brackmoor$' "message: $1"
    xdotool key Return
    sleep 0.3
}

e2e_start_xvfb
"$app/brackmoor" >"$work/log" 2>&1 &
app_pid=$!
answer_message "no Snaps folder"
answer_message "making a default settings file"

focus_window '^Options$'
xdotool type --delay 50 F  # "Set up for": FS-UAE, found by its first letter
answer_message "make starter configurations?"  # Yes
[ -f "$app/Configurations/A500.fs-uae" ] || fail "no starter configuration"

# Set up for, WinUAE's EXE, its "...", the game folder, its "...".
focus_window '^Options$'
xdotool key Tab Tab Tab Tab space
focus_window '^Please select a folder\.$'
xdotool key ctrl+a type --delay 20 "$games"
xdotool key Return
sleep 0.5
if xdotool search --onlyvisible --name '^Please select a folder\.$' >/dev/null; then
    xdotool key Return  # the first one took the completion the dialog offered
    sleep 0.5
fi

# From the game folder's "..." past the command line and the five key names to Save And Exit.
focus_window '^Options$'
xdotool key Tab Tab Tab Tab Tab Tab Tab space
e2e_window '^Brackmoor$' >/dev/null || fail "no main window"
sleep 0.5
ini="$app/Brackmoor.ini"
grep -qF "StartGameDir=$games" "$ini" || { cat "$ini"; fail "the game folder was not saved"; }
grep -qF 'Floppy1Name=floppy_drive_1' "$ini" || { cat "$ini"; fail "FS-UAE's keys were not saved"; }
e2e_no_message_box

kill "$app_pid" && wait "$app_pid" 2>/dev/null
e2e_start_program "$app"
e2e_no_message_box
e2e_double_click_first_file  # Zool.adf

e2e_wait 100 e2e_started "$app/Configurations/A500.fs-uae" || fail "FS-UAE was not started"
log_file() { find "$HOME" -name fs-uae.log.txt -path '*Logs*' 2>/dev/null | head -n 1; }
inserted() { e2e_fs_uae_shows "$(log_file)" "drive 0 name $games/Amiga/Zool.adf" "drive 1 <no disk>"; }
e2e_wait 300 inserted ||
    { cat "$(log_file)"; fail "FS-UAE's log does not show Zool in drive 0 and drive 1 empty"; }
# "Dissable Unused Drives" is on for a game without settings: drive 1 ends switched off.
grep -F 'set option "floppy1type"' "$(log_file)" | tail -n 1 | grep -qF '"-1"' ||
    fail "FS-UAE did not switch drive 1 off"
echo "first start to a running game: 1 passed, 0 failed"
