# Shared steps of the end-to-end tests: sourced, not run. The test sets `work` (a fresh folder)
# before calling them; `fail` reports and exits; `e2e_cleanup` ends what was started, by pid.

xvfb_pid=""
app_pid=""

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
    for pid in $app_pid $xvfb_pid; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    rm -rf "$work"
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
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    # The X server, whatever platform the caller's environment asks for.
    export DISPLAY=":$(cat "$work/display")" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}

# e2e_start_program APP_FOLDER: starts the program there and waits for its main window.
e2e_start_program() {
    "$1/brackmoor" >"$work/log" 2>&1 &
    app_pid=$!
    local window
    window="$(timeout 30 xdotool search --sync --onlyvisible --name '^Brackmoor$' | head -n 1)"
    [ -n "$window" ] || fail "no main window"
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
