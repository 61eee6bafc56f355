#!/usr/bin/env bash
# The fault campaign: crash safety under SIGKILL, two and four copies writing one file, a reader
# racing a writer, and disk faults (as root). Prints the figures of each part.
#   tests/fault/campaign.sh [BUILD_DIR]   (default build/dev; fault_driver is built there)
# KILLS (per file size, default 150) and KEYS (per process, default 1000) can be set in the
# environment for a shorter run.
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build/dev}"
driver="$PWD/$build/tests/fault/fault_driver"
# The disk faults also drive the windows through their Qt tests.
cmake --build "$build" --target fault_driver options_window_test test_startup_window

work=$(mktemp -d "${TMPDIR:-/tmp}/brackmoor-campaign.XXXXXX")
chmod 0755 "$work"  # the disk faults save as another user too
copies_mount=""
cleanup() {
    if [ -n "$copies_mount" ]; then
        umount "$copies_mount" 2>/dev/null || umount -l "$copies_mount" 2>/dev/null || true
    fi
    rm -rf --one-file-system "$work"
}
trap cleanup EXIT
trap "exit 130" INT TERM

failed=0
run_part() { # name command...
    local start=$SECONDS
    if ! "${@:2}"; then
        failed=1
    fi
    echo "campaign: $1 took $((SECONDS - start)) s"
}

run_part "crash safety" bash tests/fault/crash.sh "$driver" "$work" "${KILLS:-150}"

# The copies share one lock and one folder; where a tmpfs can be mounted they run there, so
# the thousands of flushes do not dominate the time (the locking is the same on any disk).
mkdir -p "$work/copies"
if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=64m tmpfs "$work/copies" 2>/dev/null; then
    copies_mount="$work/copies"
    echo "campaign: copies run on a tmpfs"
else
    echo "campaign: copies run in $work (no tmpfs mount here)"
fi
run_part "two and four copies" bash tests/fault/copies.sh "$driver" "$work/copies" "${KEYS:-1000}"

mkdir -p "$work/disk"
run_part "disk faults" bash tests/fault/disk_faults.sh "$driver" "$work/disk"

echo "campaign: total $SECONDS s, failures: $failed"
exit "$failed"
