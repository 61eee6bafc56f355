#!/usr/bin/env bash
# Two and four copies: 2 and 4 processes write 1,000 different keys each into one file through
# one path, through two letter-case spellings of its name, and through links from two folders
# (the file does not exist at the start, so they also race to create it). None may be lost, no
# second file may appear and the links must stay links. Then a reader races a writer and must
# never see a torn file.
#   copies.sh DRIVER WORKDIR KEYS
set -euo pipefail
driver="$1"
work="$2"
keys="${3:-1000}"
failed=0
total_keys=0
total_lost=0

path_for() { # layout dir process
    case "$1" in
    one) echo "$2/real/Game Settings.ini" ;;
    case) if (($3 % 2)); then echo "$2/real/GAME SETTINGS.INI"; else echo "$2/real/Game Settings.ini"; fi ;;
    links) if (($3 % 2)); then echo "$2/b/link.ini"; else echo "$2/a/link.ini"; fi ;;
    esac
}

for layout in one case links; do
    for procs in 2 4; do
        dir="$work/copies-$layout-$procs"
        mkdir -p "$dir/real" "$dir/a" "$dir/b"
        ln -s "../real/Game Settings.ini" "$dir/a/link.ini"
        ln -s "$dir/real/Game Settings.ini" "$dir/b/link.ini"
        pids=()
        prefixes=()
        for ((p = 0; p < procs; p++)); do
            "$driver" keys "$(path_for "$layout" "$dir" "$p")" "P${p}_" "$keys" &
            pids+=($!)
            prefixes+=("P${p}_")
        done
        for pid in "${pids[@]}"; do
            if ! wait "$pid"; then
                echo "FAIL: a writer reported a failed save ($layout, $procs processes)"
                failed=1
            fi
        done
        lost=$("$driver" count-lost "$dir/real/Game Settings.ini" "$keys" "${prefixes[@]}")
        files=$(find "$dir/real" -mindepth 1 | wc -l)
        if [ "$lost" != 0 ] || [ "$files" != 1 ] || [ ! -L "$dir/a/link.ini" ] ||
            [ ! -L "$dir/b/link.ini" ]; then
            echo "FAIL: $layout, $procs processes: $lost keys lost, $files files in the folder"
            failed=1
        fi
        echo "copies: $layout, $procs processes x $keys keys: $lost lost"
        total_keys=$((total_keys + procs * keys))
        total_lost=$((total_lost + lost))
    done
done

# A reader racing a writer of a 64 KB file.
race="$work/race"
mkdir -p "$race"
"$driver" init "$race/Brackmoor.ini" 65536
"$driver" race-writer "$race/Brackmoor.ini" 65536 400 &
writer=$!
read -r reads torn < <("$driver" race-reader "$race/Brackmoor.ini" 65536 3000 || true)
wait "$writer" || { echo "FAIL: the racing writer failed"; failed=1; }
if [ "${torn:-1}" != 0 ]; then
    echo "FAIL: the reader saw $torn torn files"
    failed=1
fi
echo "copies: reader racing a writer: ${reads:-0} reads, ${torn:-?} torn"
echo "copies: total $total_keys keys written, $total_lost lost, failures: $failed"
exit "$failed"
