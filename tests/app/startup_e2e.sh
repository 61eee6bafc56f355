#!/usr/bin/env bash
# The real program under Xvfb: a prepared application folder starts quietly, shows the main
# window and leaves its settings file untouched.
#   startup_e2e.sh PATH_TO_BRACKMOOR
set -u
program="$1" work="$(mktemp -d)" app="$work/app"
. "$(dirname "$0")/../support/e2e.sh"
e2e_require Xvfb xdotool

e2e_make_app
mkdir -p "$work/games/Amiga"
e2e_settings "$app/Brackmoor.INI" "$work/games" /bin/true -config= "$work/A500.uae"
before="$(md5sum < "$app/Brackmoor.INI")"

e2e_start_xvfb
e2e_start_program "$app"
e2e_no_message_box
kill -0 "$app_pid" || fail "the program ended"
[ "$(md5sum < "$app/Brackmoor.INI")" = "$before" ] || fail "settings rewritten"
echo "main window shown; 1 passed, 0 failed"
