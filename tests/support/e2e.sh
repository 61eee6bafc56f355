# Shared steps of the end-to-end tests: sourced, not run. The test sets `work` (a fresh folder)
# before sourcing; `fail` reports and exits; `e2e_cleanup`, run on exit, ends what was started
# (the program, Xvfb, an emulator in `emu_pid`, helpers in `bg_pids`), by pid.

xvfb_pid=""
app_pid=""
emu_pid=""
bg_pids=""
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*"
    [ -f "$work/log" ] && cat "$work/log"
    exit 1
}

e2e_require() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "$tool missing"; exit 77; }
    done
}

e2e_cleanup() {
    # An emulator is not our child: it must be gone before its folder is removed.
    if [ -n "$emu_pid" ]; then
        kill "$emu_pid" 2>/dev/null
        e2e_wait 100 e2e_gone "$emu_pid" || kill -KILL "$emu_pid" 2>/dev/null
    fi
    for pid in $bg_pids $app_pid $xvfb_pid; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
e2e_gone() { ! kill -0 "$1" 2>/dev/null; }

# e2e_wait TRIES COMMAND...: COMMAND every 0.1 s until it succeeds, at most TRIES times; its status.
e2e_wait() {
    local tries="$1"
    shift
    for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
    "$@"
}

# e2e_make_app DISK...: the program (`program`) copied into `app` beside an empty "Snaps", and
# the disk images made by `make_adf`, folders and all.
e2e_make_app() {
    mkdir -p "$app/Snaps" && cp "$program" "$app/brackmoor" || fail "cannot make $app"
    for disk; do mkdir -p "$(dirname "$disk")"; done
    [ $# -eq 0 ] || "$make_adf" "$@" || fail "make_adf"
}

# e2e_started PATTERN: the newest process whose command line holds PATTERN, kept in `emu_pid`.
e2e_started() { emu_pid="$(pgrep -n -f -- "$1")"; }

# e2e_fs_uae_shows LOG CHANGE...: FS-UAE's log shows each disk change ("drive 0 name FILE").
e2e_fs_uae_shows() {
    local log="$1"
    shift
    [ -f "$log" ] || return 1
    for change; do grep -qF "gui_disk_image_change $change" "$log" || return 1; done
}

# e2e_settings FILE GAMES EMULATOR PASS CONFIG [KEY_PREFIX]: a complete Brackmoor.INI, key names
# floppy0.. (or PREFIX0.. with type names PREFIX0type.. and the count uae_nr_floppies). The
# test's CMake names the settings writer in WRITE_SETTINGS.
e2e_settings() {
    local file="$1" games="$2" emulator="$3" pass="$4" config="$5" prefix="${6:-}"
    local keys=()
    if [ -n "$prefix" ]; then
        keys+=(FloppyCountName=uae_nr_floppies)
        for d in 0 1 2 3; do keys+=("Floppy${d}Name=$prefix$d" "Floppy${d}TypeName=$prefix${d}type"); done
    fi
    # The file list a little narrower than its default, as the click positions below expect.
    "${WRITE_SETTINGS:?}" "$file" "StartGameDir=$games" "WinUAEName=$emulator" \
        "WinUAECommandLinePass=$pass" "Config 1=$config" "Files/Width=6000" "${keys[@]}" ||
        fail "cannot write $file"
}

# A private X server on a display it picks itself.
e2e_start_xvfb() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb_pid=$!
    e2e_wait 50 test -s "$work/display" || fail "Xvfb did not start"
    # The X server, whatever platform the caller's environment asks for.
    export DISPLAY=":$(cat "$work/display")" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}

# e2e_window TITLE_PATTERN [SECONDS]: prints the first visible window whose title matches, once
# there is one (within 30 s). A search that meets a window closing at that moment fails with an
# X error; it is asked again.
e2e_window() {
    local window="" deadline=$((SECONDS + ${2:-30}))
    while [ -z "$window" ] && [ "$SECONDS" -lt "$deadline" ]; do
        window="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)"
        [ -n "$window" ] || sleep 0.1
    done
    [ -n "$window" ] && echo "$window"
}

# e2e_start_program APP_FOLDER: starts the program there and waits for its main window.
e2e_start_program() {
    "$1/brackmoor" >"$work/log" 2>&1 &
    app_pid=$!
    e2e_window '^Brackmoor$' >/dev/null || fail "no main window"
    sleep 0.5
}

# Double-clicks the first file of the file list. The main window sits at 0,0 without a frame,
# its workspace below the 19-pixel menu bar; the file list window's frame is at (4600 twips, 0)
# = (307, 0), with a 24-pixel title bar, then the list's 1-pixel frame and 14-pixel rows.
e2e_double_click_first_file() {
    xdotool mousemove --sync $((307 + 40)) $((19 + 24 + 1 + 7)) click --repeat 2 --delay 60 1
}

# One window titled Brackmoor: no message box is open.
e2e_no_message_box() {
    [ "$(xdotool search --onlyvisible --name '^Brackmoor$' | wc -l)" -eq 1 ] || fail "a message box"
}
