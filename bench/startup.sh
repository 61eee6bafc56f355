#!/usr/bin/env bash
# Process start to main window shown, offscreen, on the demo collection, beside a bare Qt
# program in the same run (and the bare program showing one line of text, which pays for the
# font database as any window with text does). Prints the medians and the ratios.
#   bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build="$(realpath "$1")"
runs="${2:-21}"
cd "$(dirname "$0")/.."

demo="$build/bench-demo"
scripts/make-demo.sh "$build" "$demo" >/dev/null
cp -f "$build/bench/app/bench_startup_probe" "$demo/"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$(mktemp -d)"

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
# From just before the process starts to the moment it prints, once its window is shown.
micros() {
    local start shown
    start=$(date +%s%N)
    shown=$("$@" 2>/dev/null)
    echo $(( shown - start / 1000 ))
}
# The two alternate, so that a noisy moment of the shared machine hits both alike.
: > "$XDG_RUNTIME_DIR/bare"
: > "$XDG_RUNTIME_DIR/text"
: > "$XDG_RUNTIME_DIR/brackmoor"
for _ in $(seq "$runs"); do
    micros "$build/bench/app/bench_bare_qt" >> "$XDG_RUNTIME_DIR/bare"
    micros "$build/bench/app/bench_bare_qt" --text >> "$XDG_RUNTIME_DIR/text"
    micros "$demo/bench_startup_probe" >> "$XDG_RUNTIME_DIR/brackmoor"
done
bare=$(median < "$XDG_RUNTIME_DIR/bare")
text=$(median < "$XDG_RUNTIME_DIR/text")
brackmoor=$(median < "$XDG_RUNTIME_DIR/brackmoor")
echo "bare Qt main window:            ${bare} us (median of $runs)"
echo "bare Qt window with one label:  ${text} us"
echo "Brackmoor main window:          ${brackmoor} us"
awk -v a="$brackmoor" -v b="$bare" -v t="$text" \
    'BEGIN { printf "ratio to the bare window: %.2f, to the window with text: %.2f\n", a / b, a / t }'
rm -rf "$XDG_RUNTIME_DIR"
