#!/usr/bin/env bash
# Builds the libFuzzer targets in fuzz/ with Debian's clang-14 under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for FUZZ_SECONDS (default 60), two at a time,
# seeded from tests/data/ini-cases. Prints the runs per target; fails when a target fails.
#   scripts/fuzz.sh [TARGET...]     (default: all)
# The main build does not need clang: the targets are compiled here, from the sources they test.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-60}"
cxx="${FUZZ_CXX:-clang++-14}"
out=build/fuzz
mkdir -p "$out"

if ! command -v "$cxx" >/dev/null; then
    echo "fuzz: $cxx is missing (scripts/install-deps.sh installs it)"
    exit 1
fi

platform=(src/platform/ini_document.cpp)
declare -A sources=(
    [ini]="${platform[*]}"
    [config_rewrite]="src/launch/config_rewrite.cpp src/platform/ini_document.cpp src/platform/profile_file.cpp src/platform/atomic_file.cpp src/platform/file_lookup.cpp"
    [command_line]="src/launch/command_line.cpp"
    [natural_order]="src/browser/natural_order.cpp src/platform/ini_document.cpp"
    [naming_rules]="src/launch/naming_rules.cpp src/platform/path_rules.cpp src/platform/ini_document.cpp"
    [wildcard]="src/browser/wildcard.cpp src/platform/ini_document.cpp"
    [jpeg_writer]="src/imaging/jpeg_writer.cpp src/imaging/dib_image.cpp src/platform/atomic_file.cpp src/platform/file_lookup.cpp src/platform/ini_document.cpp"
)
# Targets over Qt Gui (built position-independent, as Qt asks) and the JPEG encoder.
declare -A libraries=(
    [jpeg_writer]="-fPIC $(pkg-config --cflags --libs Qt6Gui libturbojpeg)"
)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(ini config_rewrite command_line natural_order naming_rules wildcard jpeg_writer)

flags=(-std=c++17 -g -O1 -Wall -Wextra -Werror -fsanitize=fuzzer,address,undefined
    -fno-sanitize-recover=all -fno-omit-frame-pointer -Isrc -Ifuzz -DQT_NO_KEYWORDS)

seeds="$out/seeds"
rm -rf "$seeds"
mkdir -p "$seeds"
for case_dir in tests/data/ini-cases/*/; do
    name=$(basename "$case_dir")
    for part in before expected_after ops; do
        [ -f "$case_dir/$part" ] && cp "$case_dir/$part" "$seeds/$name.$part"
    done
done

build() {
    # shellcheck disable=SC2086
    nice "$cxx" "${flags[@]}" "fuzz/${1}_fuzz.cpp" ${sources[$1]} ${libraries[$1]:-} -o "$out/${1}_fuzz"
}

run() {
    local target="$1" corpus="$out/corpus/$1" log="$out/$1.log"
    mkdir -p "$corpus"
    if (cd "$out" && UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "./${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=16384 -print_final_stats=1 -artifact_prefix="$target-" \
        "corpus/$target" seeds) >"$log" 2>&1; then
        local runs
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
        echo "fuzz: $target: $runs runs in $seconds s, nothing found"
    else
        echo "fuzz: $target: FAILED, see $log; the input is kept as $out/$target-*"
        tail -n 30 "$log"
        return 1
    fi
}

start=$SECONDS
for target in "${targets[@]}"; do
    build "$target"
done
echo "fuzz: built ${#targets[@]} targets in $((SECONDS - start)) s"

failed=0
pids=()
for target in "${targets[@]}"; do
    run "$target" &
    pids+=($!)
    if [ ${#pids[@]} -ge 2 ]; then
        wait "${pids[0]}" || failed=1
        pids=("${pids[@]:1}")
    fi
done
for pid in "${pids[@]}"; do
    wait "$pid" || failed=1
done
echo "fuzz: total $((SECONDS - start)) s, failures: $failed"
exit "$failed"
