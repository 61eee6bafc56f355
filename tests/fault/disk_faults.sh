#!/usr/bin/env bash
# Disk faults, as root: a small tmpfs and a loop-mounted ext4 that run out of room and inodes or
# turn read-only, files that are read-only, replaced by folders, pipes or links, other users'
# files and sticky folders. Every save must succeed, or fail with the reason expected, leave the
# old bytes as they were, leave no temporary file and never hang. The windows' saves are driven
# the same way through their Qt tests, built beside DRIVER.
#   disk_faults.sh DRIVER WORKDIR
set -uo pipefail
driver="$1"
work="$2"

if [ "$(id -u)" -ne 0 ]; then
    echo "disk faults: skipped, they need root (mounts, other users' files)"
    exit 0
fi
user=nobody
group=$(id -gn nobody)
if ! setpriv --reuid="$user" --regid="$group" --clear-groups test -x "$work"; then
    echo "disk faults: FAIL $user cannot reach $work; give its folders search permission"
    exit 1
fi
tmpfs="$work/tmpfs"
ext4="$work/ext4"
mounted=()
cleanup() {
    local m
    for m in "${mounted[@]}"; do
        umount "$m" 2>/dev/null || umount -l "$m" 2>/dev/null || true
    done
}
trap cleanup EXIT
trap "exit 130" INT TERM
mkdir -p "$tmpfs" "$ext4"
chmod 0755 "$work"
if ! mount -t tmpfs -o size=512k,nr_inodes=64,mode=0777 tmpfs "$tmpfs" 2>/dev/null; then
    echo "disk faults: skipped, mounting is not permitted here"
    exit 0
fi
mounted+=("$tmpfs")
have_ext4=0
if command -v mkfs.ext4 >/dev/null; then
    truncate -s 4M "$work/ext4.img"
    if mkfs.ext4 -q -F -b 1024 -N 64 -m 0 "$work/ext4.img" 2>/dev/null &&
        mount -o loop "$work/ext4.img" "$ext4" 2>/dev/null; then
        mounted+=("$ext4")
        chmod 0777 "$ext4"
        have_ext4=1
    else
        echo "disk faults: no loop-mounted ext4 here (no loop device); its cases are skipped"
    fi
else
    echo "disk faults: no mkfs.ext4 (e2fsprogs); the ext4 cases are skipped"
fi

cases=0
failed=0
old_content=$'[Brackmoor]\r\nStartGameDir=/games\r\n'

fresh() { # file [owner]: a settings file with the old content
    printf '%s' "$old_content" >"$1"
    chmod 0644 "$1"
    [ -n "${2:-}" ] && chown "$2" "$1"
    return 0
}

checksum() { # the size and first MiB of what the path leads to, or a word for what it is
    if [ -f "$1" ]; then
        echo "$(stat -L -c %s "$1") $(head -c 1M "$1" | sha256sum | cut -d' ' -f1)"
    elif [ -e "$1" ]; then echo other; else echo none; fi
}

# expect NAME ok|fail REASON-FRAGMENT FILE [user]: one save, judged.
expect() {
    local name="$1" want="$2" reason="$3" file="$4" as="${5:-root}"
    local before after out rc folder leftovers
    cases=$((cases + 1))
    before=$(checksum "$file")
    if [ "$as" = root ]; then
        out=$(timeout 20 "$driver" save "$file" 2>&1)
    else
        out=$(timeout 20 setpriv --reuid="$as" --regid="$group" --clear-groups "$driver" save "$file" 2>&1)
    fi
    rc=$?
    after=$(checksum "$file")
    folder=$(dirname "$(readlink -m "$file")")
    leftovers=$(find "$folder" -maxdepth 1 -name '*.brackmoor-*.tmp' 2>/dev/null | wc -l)
    local verdict=ok
    if [ "$rc" = 124 ]; then
        verdict="hung"
    elif [ "$want" = ok ] && [ "$rc" != 0 ]; then
        verdict="failed: $out"
    elif [ "$want" = ok ] && ! grep -q "Saved=1" "$file"; then
        verdict="reported saved, but the key is not in the file"
    elif [ "$want" = fail ] && [ "$rc" = 0 ]; then
        verdict="saved, but should have been refused"
    elif [ "$want" = fail ] && [[ "$out" != *"$file"*"$reason"* ]]; then
        verdict="the message does not give the file and \"$reason\": $out"
    elif [ "$want" = fail ] && [ "$before" != "$after" ]; then
        verdict="refused, but the old bytes changed"
    elif [ "$leftovers" != 0 ]; then
        verdict="$leftovers temporary files left in $folder"
    fi
    if [ "$verdict" = ok ]; then
        printf 'disk faults: %-44s %s\n' "$name" "${out#*: }"
    else
        printf 'disk faults: FAIL %-39s %s\n' "$name" "$verdict"
        failed=1
    fi
}

# expect_read NAME REASON FILE: a read that must answer at once with that reason.
expect_read() {
    local out rc
    cases=$((cases + 1))
    out=$(timeout 20 "$driver" load "$3" 2>&1)
    rc=$?
    if [ "$rc" = 1 ] && [[ "$out" == *"$2"* ]]; then
        printf 'disk faults: %-44s %s\n' "$1" "${out#*: }"
    else
        printf 'disk faults: FAIL %-39s rc %s: %s\n' "$1" "$rc" "$out"
        failed=1
    fi
}

fill_space() { # folder: fills it until the file system is full
    dd if=/dev/zero of="$1/filler" bs=4k 2>/dev/null || true
    dd if=/dev/zero of="$1/filler-small" bs=1k 2>/dev/null || true
    sync
}
fill_inodes() { # folder: takes every free inode
    mkdir -p "$1/inodes" || return 0
    local i=0
    while touch "$1/inodes/$i" 2>/dev/null; do i=$((i + 1)); done
}

filesystems=("$tmpfs")
[ "$have_ext4" = 1 ] && filesystems+=("$ext4")
for fs in "${filesystems[@]}"; do
    kind=$(basename "$fs")
    fresh "$fs/full.ini"
    fill_space "$fs"
    expect "$kind: full file system" fail "is full" "$fs/full.ini"
    rm -f "$fs/filler" "$fs/filler-small"
    fresh "$fs/inode.ini"
    fill_inodes "$fs"
    expect "$kind: no free inode" fail "No space left" "$fs/inode.ini"
    rm -rf "$fs/inodes"
    fresh "$fs/$(printf 'n%.0s' {1..255})"
    expect "$kind: 255-byte name" ok "" "$fs/$(printf 'n%.0s' {1..255})"
done

if [ "$have_ext4" = 1 ]; then
    fresh "$ext4/ro.ini"
    mkdir -p "$work/links"
    ln -sfn "$ext4/ro.ini" "$work/links/into-ro-mount.ini"
    mount -o remount,ro "$ext4"
    expect "read-only mount" fail "mounted read-only" "$ext4/ro.ini"
    expect "new file on a read-only mount" fail "mounted read-only" "$ext4/new.ini"
    expect "link into a read-only mount" fail "mounted read-only" "$work/links/into-ro-mount.ini"
    mount -o remount,rw "$ext4"
fi

d="$work/plain"
mkdir -p "$d"
chmod 0755 "$d"
fresh "$d/readonly.ini"
chmod 0444 "$d/readonly.ini"
expect "read-only file" fail "read-only" "$d/readonly.ini"

mkdir -p "$d/rofolder"
fresh "$d/rofolder/a.ini" "$user"
fresh "$d/rofolder/b.ini" "$user"
chmod 0555 "$d/rofolder"
expect "read-only folder, as its user" fail "cannot create a file in the folder" "$d/rofolder/a.ini" "$user"
expect "read-only folder, as root" ok "" "$d/rofolder/a.ini"
mkdir -p "$d/links"
ln -s ../rofolder/b.ini "$d/links/into-ro-folder.ini"
chmod 0777 "$d/links"
expect "link into a read-only folder" fail "cannot create a file in the folder" "$d/links/into-ro-folder.ini" "$user"

mkdir -p "$d/folder.ini"
expect "a file replaced by a folder" fail "it is a folder" "$d/folder.ini"

fresh "$d/target.ini"
ln -s target.ini "$d/good-link.ini"
expect "good link" ok "" "$d/good-link.ini"
[ -L "$d/good-link.ini" ] || { echo "disk faults: FAIL the good link is no link any more"; failed=1; }
ln -s missing-target.ini "$d/dangling.ini"
expect "dangling link" ok "" "$d/dangling.ini"
[ -L "$d/dangling.ini" ] && [ -f "$d/missing-target.ini" ] ||
    { echo "disk faults: FAIL the dangling link did not create its target"; failed=1; }
ln -s loop-b.ini "$d/loop-a.ini"
ln -s loop-a.ini "$d/loop-b.ini"
expect "link loop" fail "loop" "$d/loop-a.ini"

mkdir -p "$d/shared"
chmod 0777 "$d/shared"
fresh "$d/shared/roots.ini"
chmod 0666 "$d/shared/roots.ini"
expect "another user's file" fail "belongs to user root" "$d/shared/roots.ini" "$user"
fresh "$d/shared/users.ini" "$user:$group"
expect "root saving a user's file" ok "" "$d/shared/users.ini"
[ "$(stat -c %U:%G "$d/shared/users.ini")" = "$user:$group" ] ||
    { echo "disk faults: FAIL root's save took the file from its user"; failed=1; }

mkdir -p "$d/sticky"
chmod 1777 "$d/sticky"
fresh "$d/sticky/roots.ini"
chmod 0666 "$d/sticky/roots.ini"
expect "sticky folder, another user's file" fail "belongs to user root" "$d/sticky/roots.ini" "$user"
fresh "$d/sticky/own.ini" "$user:$group"
expect "sticky folder, own file" ok "" "$d/sticky/own.ini" "$user"

mkfifo "$d/fifo.ini"
expect "named pipe" fail "named pipe" "$d/fifo.ini"
expect_read "named pipe, read" "named pipe" "$d/fifo.ini"
ln -s /dev/zero "$d/zero.ini"
expect "link to /dev/zero" fail "device" "$d/zero.ini"
expect_read "link to /dev/zero, read" "device" "$d/zero.ini"
[ -c /dev/zero ] || { echo "disk faults: FAIL /dev/zero is no device any more"; failed=1; }
fresh "$d/huge.ini"
truncate -s 8G "$d/huge.ini"
expect "8 GB sparse file" fail "larger than" "$d/huge.ini"
expect_read "8 GB sparse file, read" "larger than" "$d/huge.ini"

# The windows, driven offscreen as a user would (their Qt tests beside the driver): every save
# onto the full tmpfs, and the options dialog's into a read-only folder as another user, must say
# why, keep the dialog open with the edits and leave the files as they were.
tests="$(dirname "$driver")/.."
window_case() { # NAME USER TEST FUNCTION TMPDIR: one test function that must pass, not skip
    local out rc
    cases=$((cases + 1))
    mkdir -p "$5"
    chown "$2" "$5"
    chmod 0700 "$5"
    out=$(timeout 60 setpriv --reuid="$2" --regid="$(id -gn "$2")" --clear-groups \
        env TMPDIR="$5" XDG_RUNTIME_DIR="$5" QT_QPA_PLATFORM=offscreen BRACKMOOR_FILL_DISK=1 \
        "$tests/$3" "$4" 2>&1)
    rc=$?
    if [ "$rc" = 0 ] && [[ "$out" != *SKIP* ]]; then
        printf 'disk faults: %-44s %s\n' "$1" "refused with a message, nothing changed"
    else
        printf 'disk faults: FAIL %-39s rc %s: %s\n' "$1" "$rc" "$out"
        failed=1
    fi
}
window_case "options dialog, full disk" root options/options_window_test \
    "aRefusedSaveKeepsTheDialogAndTheFile:full disk" "$tmpfs/windows"
window_case "main and media windows, full disk" root app/test_startup_window \
    onAFullDiskEverySaveSaysWhyAndChangesNothing "$tmpfs/windows"
window_case "options dialog, read-only folder" "$user" options/options_window_test \
    "aRefusedSaveKeepsTheDialogAndTheFile:read-only folder" "$d/windows"

echo "disk faults: $cases cases, failures: $failed"
exit "$failed"
