#!/usr/bin/env bash
# `cmake --install` into the prefix this build was made for (one inside the build folder), then
# the installed program: the files a desktop needs are there, --version answers, and started
# offscreen it keeps its settings in the user's configuration folder and "Snaps" in the user's
# data folder, never beside itself.
#   install_e2e.sh BUILD_DIR PREFIX VERSION
set -u
build="$1" prefix="$2" version="$3"
id=io.github.brackmoor.Brackmoor
work="$(mktemp -d)"
. "$(dirname "$0")/../support/e2e.sh"
trap e2e_cleanup EXIT

case "$prefix/" in
"$build"/*) ;;
*) echo "the install prefix $prefix is not inside $build: not installing there"; exit 77 ;;
esac
rm -rf "$prefix"
cmake --install "$build" >"$work/log" 2>&1 || fail "cmake --install"

for file in bin/brackmoor share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/man/man1/brackmoor.1 share/icons/hicolor/scalable/apps/$id.svg; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
for size in 16 32 48 64 128 256; do
    [ "$(identify -format %wx%h "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png" 2>/dev/null)" = \
        "${size}x$size" ] || fail "no ${size}x$size icon"
done
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || fail "the desktop entry names another icon"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/$id.desktop" >"$work/log" 2>&1 ||
        fail "desktop entry not valid"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$work/log" 2>&1 ||
        fail "metainfo not valid"
fi

out="$(env -u DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/brackmoor" --version 2>&1)"
[ "$out" = "Brackmoor $version" ] || fail "--version said: $out"

# A first start as a new user: the program makes its settings folder in the user's configuration
# folder and the folder for "Snaps" in the user's data folder, then waits on its first-start
# message (and is ended here). What is on screen cannot be seen offscreen, so the folders it made
# tell where it keeps what.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
"$prefix/bin/brackmoor" >"$work/log" 2>&1 &
app_pid=$!
for _ in $(seq 100); do
    [ -d "$XDG_CONFIG_HOME/Brackmoor" ] && [ -d "$XDG_DATA_HOME/Brackmoor" ] && break
    sleep 0.1
done
[ -d "$XDG_CONFIG_HOME/Brackmoor" ] || fail "no settings folder in the user's configuration folder"
[ -d "$XDG_DATA_HOME/Brackmoor" ] || fail "no folder for Snaps in the user's data folder"
[ "$(ls "$prefix/bin")" = brackmoor ] || fail "state written beside the program: $(ls "$prefix/bin")"

# --data overrides it.
kill "$app_pid" && wait "$app_pid" 2>/dev/null
"$prefix/bin/brackmoor" --data "$work/elsewhere" >"$work/log" 2>&1 &
app_pid=$!
for _ in $(seq 100); do [ -d "$work/elsewhere" ] && break; sleep 0.1; done
[ -d "$work/elsewhere" ] || fail "--data not taken"
echo "installed program checked; 1 passed, 0 failed"
