#!/usr/bin/env bash
# Crash safety: a read-modify-write loop over the profile API is killed with SIGKILL at random
# moments, over a 2 KB and a 512 KB settings file. After every kill the file must hold one
# complete state, never older than the last one the writer acknowledged, with its mode 0640;
# after the next save no temporary file may remain.
#   crash.sh DRIVER WORKDIR KILLS_PER_SIZE
set -euo pipefail
driver="$1"
work="$2"
kills="${3:-150}"
failed=0
total_kills=0
total_states=0

for pad in 2048 524288; do
    dir="$work/crash-$pad"
    mkdir -p "$dir"
    file="$dir/Game Settings.ini"
    ack="$work/crash-$pad.ack"
    : >"$ack"
    "$driver" init "$file" "$pad"
    chmod 0640 "$file"
    most_left=0
    for ((k = 0; k < kills; k++)); do
        mode=profile
        ((k % 2)) && mode=named
        "$driver" crash-writer "$file" "$ack" "$pad" "$mode" &
        pid=$!
        # 1 to 120 ms: from start-up through many complete cycles.
        sleep "0.$(printf '%03d' $((1 + RANDOM % 120)))"
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        if ! out=$("$driver" check-state "$file" "$ack" "$pad"); then
            echo "FAIL after kill $k ($mode, $pad bytes): $out"
            failed=1
            break
        fi
        mode_now=$(stat -c %a "$file")
        if [ "$mode_now" != 640 ]; then
            echo "FAIL after kill $k: mode $mode_now instead of 640"
            failed=1
            break
        fi
        left=$(($(find "$dir" -mindepth 1 | wc -l) - 1))
        ((left > most_left)) && most_left=$left
        total_kills=$((total_kills + 1))
    done
    states=$("$driver" check-state "$file" "$ack" "$pad" || echo 0)
    "$driver" save "$file" >/dev/null
    remaining=$(find "$dir" -mindepth 1 | wc -l)
    if [ "$remaining" != 1 ]; then
        echo "FAIL: $((remaining - 1)) temporary files remain beside $file"
        find "$dir" -mindepth 1
        failed=1
    fi
    echo "crash: $pad-byte file: $kills kills, $states states written, at most $most_left temporary files between saves, $((remaining - 1)) left at the end"
    total_states=$((total_states + states))
done
echo "crash: total $total_kills kills, $total_states states written, failures: $failed"
exit "$failed"
