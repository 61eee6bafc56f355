#!/usr/bin/env bash
# The real program under Xvfb, from a double click to the emulator: a double click on the A
# disk of a lettered set in the file list starts a stand-in emulator, which records its
# arguments, with the configuration whose Brackmoor section names both disks of the set.
#   launch_e2e.sh PATH_TO_BRACKMOOR PATH_TO_MAKE_ADF [KEEP_SCREENSHOT_AS]
set -u
program="$1" make_adf="$2" shot_as="${3:-}" work="$(mktemp -d)"
. "$(dirname "$0")/../support/e2e.sh"
e2e_require Xvfb xdotool

app="$work/app" games="$work/games"
e2e_make_app "$games/Amiga/Lemmings A.adf" "$games/Amiga/Lemmings B.adf" "$games/Amiga/Zool.adf"
mkdir -p "$games/Demos"

# The stand-in emulator: writes its arguments, one a line, then ends.
cat > "$work/emulator.sh" <<EOF
#!/bin/sh
printf '%s\n' "\$@" > "$work/args.part" && mv "$work/args.part" "$work/args"
EOF
chmod +x "$work/emulator.sh"

config="$work/A500.uae"
printf 'config_description=Stand-in A500\r\nchipset=ocs\r\nuse_gui=no\r\n' > "$config"
config_before="$(cat "$config")"

e2e_settings "$app/Brackmoor.INI" "$games" "$work/emulator.sh" -config= "$config"
# Lemmings is remembered with "Autoload ABCD" and "Dissable Unused Drives" on.
printf '[LEMMINGS]\r\nCF=0\r\nAL=1\r\nWB=0\r\nDU=1\r\n' > "$app/Game Settings.ini"

e2e_start_xvfb
e2e_start_program "$app"
# Row 0 is the first file of "Amiga", the first folder, shown at start.
e2e_double_click_first_file
e2e_wait 100 test -s "$work/args"
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
e2e_no_message_box
echo "double click launched the set; 1 passed, 0 failed"
