#!/usr/bin/env bash
# Brackmoor on a collector's machine: one run over a generated collection (100,000 images in
# one folder, a tree of 100,000 images in 5,000 folders, a "Game Settings.ini" of 50,000
# sections), each operation of the real program (offscreen) beside its reference measured in
# the same run, alternating, with the peak memory (maximum resident set) of each process.
# Prints one markdown table of medians.
#   bench/collector.sh BUILD_DIR [ROUNDS]
# BUILD_DIR is a release build with bench_collector_probe, bench_startup_probe, bench_bare_qt,
# make_adf and write_settings built. The collection is made once in BUILD_DIR/bench-collector
# (about 200,000 empty files; delete the folder to make it again).
set -euo pipefail
build="$(realpath "$1")"
rounds="${2:-9}"
cd "$(dirname "$0")/.."

probe="$build/bench/app/bench_collector_probe"
startup="$build/bench/app/bench_startup_probe"
bare="$build/bench/app/bench_bare_qt"
for tool in "$probe" "$startup" "$bare" "$build/tools/make_adf" "$build/tools/write_settings"; do
    [ -x "$tool" ] || { echo "missing $tool: build it first" >&2; exit 2; }
done
[ -x /usr/bin/time ] || { echo "GNU time (/usr/bin/time, package 'time') is needed" >&2; exit 2; }

root="$build/bench-collector"
games="$root/Collection"
single="$games/A Single Folder"
tree="$games/Tree"

# --- The collection -------------------------------------------------------------------------
if [ ! -f "$root/made" ]; then
    echo "Making the collection in $root ..." >&2
    rm -rf "$root"
    mkdir -p "$single" "$tree"
    # The first games are real disk images: the ones the double click starts.
    for i in 1 2 3 4 5 6 7 8 9 10; do
        "$build/tools/make_adf" "$single/$(printf 'Game %06d.adf' "$i")"
    done
    (cd "$single" && seq -f 'Game %06g.adf' 11 100000 | xargs -d '\n' touch)
    # 50 folders of 99 subfolders each, 20 names in every one of the 5,000 folders, about half
    # of them ".adf" in mixed letter case.
    (cd "$tree" && awk 'BEGIN {
        split(".adf .ADF .adz .Adf .dms .txt", ext, " ")
        n = 0
        for (top = 0; top < 50; top++)
            for (s = -1; s < 99; s++) {
                folder = "Letter " top (s < 0 ? "" : "/Set " s)
                print folder > "folders"
                for (i = 0; i < 20; i++)
                    printf "%s/Game %d-%d%s%s\n", folder, n, i, (i % 2 ? "" : " Disk A"),
                        ext[i % 6 + 1] > "files"
                n++
            }
    }' && xargs -d '\n' mkdir -p < folders && xargs -d '\n' touch < files && rm folders files)
    touch "$root/made"
fi

# The stand-in emulator: notes the moment it started, then ends.
mark="$root/emulator-started"
standin="$root/emulator.sh"
printf '#!/bin/sh\ndate +%%s%%N > "%s.part" && mv "%s.part" "%s"\n' "$mark" "$mark" "$mark" > "$standin"
chmod +x "$standin"
config="$root/A500.uae"
printf 'config_description=Stand-in A500\r\nuse_gui=no\r\n' > "$config"

# Two application folders: one whose game folder is the collection (the 100,000-file folder is
# its first subfolder, shown at start), one whose game folder is the tree, for the finder.
settings() {
    local app="$1" start="$2"
    rm -rf "$app"
    mkdir -p "$app/Snaps"
    "$build/tools/write_settings" "$app/Brackmoor.INI" "StartGameDir=$start" \
        "WinUAEName=$standin" "WinUAECommandLinePass=-config=" "Config 1=$config" >/dev/null
}
app="$root/app"
treeapp="$root/app-tree"
settings "$app" "$games"
settings "$treeapp" "$tree"
# A record for each of the first 50,000 games of the single folder.
awk 'BEGIN { for (i = 1; i <= 50000; i++)
    printf "[GAME %06d]\r\nCF=0\r\nAL=%d\r\nWB=0\r\nDU=1\r\nNotes=Swap disks at level %d\r\n",
        i, i % 2, i % 9 }' > "$app/Game Settings.ini"

export QT_QPA_PLATFORM=offscreen
XDG_RUNTIME_DIR="$(mktemp -d)"
export XDG_RUNTIME_DIR
out="$XDG_RUNTIME_DIR"
trap 'rm -rf "$out"' EXIT

now() { date +%s%N; }
# measure NAME COMMAND...: the command's "median=" (or, for a start-up, its printed clock less
# the moment it was started), and its peak memory, appended to NAME.time and NAME.memory.
measure() {
    local name="$1"
    shift
    local start result
    start=$(now)
    result=$(/usr/bin/time -f %M -o "$out/mem" "$@" 2>"$out/err") ||
        { echo "$name failed: $(cat "$out/err")" >&2; exit 1; }
    echo "$result" > "$out/$name.out"
    case "$result" in
        *median=*) echo "$result" | sed -n 's/.*median=\([0-9.]*\).*/\1/p' >> "$out/$name.time"
                   echo "$result" | sed -n 's/.*first=\([0-9.]*\).*/\1/p' >> "$out/$name.first" ;;
        *) echo $(( ${result%% *} - start / 1000 )) >> "$out/$name.time" ;;
    esac
    tail -n 1 "$out/mem" >> "$out/$name.memory"
}
# timed NAME COMMAND...: wall time of the whole command, for the programs run as references
# (in the C locale, their fastest).
timed() {
    local name="$1"
    shift
    local start end
    start=$(now)
    LC_ALL=C /usr/bin/time -f %M -o "$out/mem" "$@" >/dev/null 2>"$out/err" ||
        { echo "$name failed: $(cat "$out/err")" >&2; exit 1; }
    end=$(now)
    echo $(( (end - start) / 1000 )) >> "$out/$name.time"
    tail -n 1 "$out/mem" >> "$out/$name.memory"
}
median() { sort -g "$1" | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

calls=21
echo "Measuring, $rounds rounds ..." >&2
# Warm the file system's caches first.
find "$games" >/dev/null
for _ in $(seq "$rounds"); do
    measure startup "$startup" --data "$app"
    measure bare "$bare" --text
    measure click "$probe" click "$calls" -- --data "$app"
    measure stat "$probe" stat "$calls" "$app/Game Settings.ini"
    measure launch "$probe" launch 5 "$mark" -- --data "$app"
    measure standin "$probe" standin 5 "$mark" "$standin"
    measure folder "$probe" folder 3 "A Single Folder" -- --data "$app"
    timed ls sh -c 'ls -f "$1" | sort -f' sh "$single"
    measure search "$probe" search 3 "*.ADF" -- --data "$treeapp"
    timed find find "$tree" -iname '*.adf'
    measure capture "$probe" capture 7 -- --data "$app"
    measure tjcompress "$probe" tjcompress 7
done

# The finder listed what find(1) finds, and the folder all its files.
found=$(sed -n 's/^found=//p' "$out/search.out")
expected=$(find "$tree" -iname '*.adf' | wc -l)
[ "$found" = "$expected" ] || { echo "the finder listed $found results, find $expected" >&2; exit 1; }
listed=$(sed -n 's/^files=//p' "$out/folder.out")
[ "$listed" = 100000 ] || { echo "the folder showed $listed files" >&2; exit 1; }

# --- The table ------------------------------------------------------------------------------
ms() { awk -v us="$1" 'BEGIN { if (us >= 1000) printf "%.1f ms", us / 1000; else printf "%.1f µs", us }'; }
mb() { awk -v kb="$1" 'BEGIN { printf "%.0f MB", kb / 1024 }'; }
row() {
    local what="$1" ours="$2" reference="$3" theirs="$4"
    local a b
    a=$(median "$out/$ours.time")
    b=$(median "$out/$theirs.time")
    printf '| %s | %s | %s | %s | %s | %s | %s |\n' "$what" "$(ms "$a")" \
        "$(mb "$(median "$out/$ours.memory")")" "$reference" "$(ms "$b")" \
        "$(mb "$(median "$out/$theirs.memory")")" "$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.2f", a / b }')"
}
echo
echo "Medians of $rounds runs; peak memory is the maximum resident set of each process; the"
echo "finder listed all $found results that find(1) finds."
echo
echo "| What | Brackmoor | Peak memory | Reference | Reference time | Its peak memory | Ratio |"
echo "|---|---|---|---|---|---|---|"
row "Start-up to the first screen, 100,000 files listed" startup "bare Qt window with one label" bare
row "Click on a game (its record among 50,000 sections)" click "\`stat\` of the file" stat
row "Double click to the emulator started" launch "the stand-in started directly" standin
row "Showing the 100,000-file folder" folder "\`ls -f \| sort -f\`" ls
row "Finder, \"*.ADF\" over 100,000 files in 5,000 folders" search "\`find -iname '*.adf'\`" find
row "Capture of 1920x1080 at \"Half 50%\"" capture "\`tjCompress2\` alone, 1920x1080" tjcompress
