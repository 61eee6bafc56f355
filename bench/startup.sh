#!/usr/bin/env bash
# Process start to main window shown, offscreen, on the demo collection, beside a bare Qt
# program in the same run. Prints the median of each and their ratio.
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
micros() {
    local start
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    echo $(( ($(date +%s%N) - start) / 1000 ))
}
# The two alternate, so that a noisy moment of the shared machine hits both alike.
: > "$XDG_RUNTIME_DIR/bare"
: > "$XDG_RUNTIME_DIR/brackmoor"
for _ in $(seq "$runs"); do
    micros "$build/bench/app/bench_bare_qt" >> "$XDG_RUNTIME_DIR/bare"
    micros "$demo/bench_startup_probe" >> "$XDG_RUNTIME_DIR/brackmoor"
done
bare=$(median < "$XDG_RUNTIME_DIR/bare")
brackmoor=$(median < "$XDG_RUNTIME_DIR/brackmoor")
echo "bare Qt main window:    ${bare} us (median of $runs)"
echo "Brackmoor main window:  ${brackmoor} us (median of $runs)"
awk -v a="$brackmoor" -v b="$bare" 'BEGIN { printf "ratio: %.2f\n", a / b }'
rm -rf "$XDG_RUNTIME_DIR"
