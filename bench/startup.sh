#!/usr/bin/env bash
# Process start to main window shown, offscreen, on the demo collection, beside a bare Qt
# program in the same run (and the bare program showing one line of text, which pays for the
# font database as any window with text does). Prints the medians and the ratios, of the wall
# clock and of the processor time used until then (user and system), which the other work of a
# shared machine disturbs much less.
#   bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build="$(realpath "$1")"
runs="${2:-21}"
cd "$(dirname "$0")/.."

demo="$build/bench-demo"
scripts/make-demo.sh "$build" "$demo" >/dev/null
cp -f "$build/bench/app/bench_startup_probe" "$demo/"
export QT_QPA_PLATFORM=offscreen
XDG_RUNTIME_DIR="$(mktemp -d)"
export XDG_RUNTIME_DIR
out="$XDG_RUNTIME_DIR"
trap 'rm -rf "$out"' EXIT

median() { sort -n "$1" | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
# From just before the process starts to the moment it prints, once its window is shown; and
# the processor time it printed.
measure() {
    local name="$1" start shown cpu
    shift
    start=$(date +%s%N)
    read -r shown cpu < <("$@" 2>/dev/null)
    echo $(( shown - start / 1000 )) >> "$out/$name.wall"
    echo "$cpu" >> "$out/$name.cpu"
}
# The three alternate, so that a noisy moment of the shared machine hits all alike.
for _ in $(seq "$runs"); do
    measure bare "$build/bench/app/bench_bare_qt"
    measure text "$build/bench/app/bench_bare_qt" --text
    measure brackmoor "$demo/bench_startup_probe"
done
for kind in wall cpu; do
    bare=$(median "$out/bare.$kind")
    text=$(median "$out/text.$kind")
    brackmoor=$(median "$out/brackmoor.$kind")
    what="wall clock"
    [ "$kind" = cpu ] && what="processor time"
    echo "$what (medians of $runs):"
    echo "  bare Qt main window:            ${bare} us"
    echo "  bare Qt window with one label:  ${text} us"
    echo "  Brackmoor main window:          ${brackmoor} us"
    awk -v a="$brackmoor" -v b="$bare" -v t="$text" \
        'BEGIN { printf "  ratio to the bare window: %.2f, to the window with text: %.2f\n", a / b, a / t }'
done
