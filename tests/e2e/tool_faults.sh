#!/usr/bin/env bash
# The command-line tool as an ordinary user under faults: a small disk that is full, a folder
# that refuses temporary files, a write, a flush and a rename that fail, and a standard output
# that takes nothing. No fault may damage the earlier file or pass for success.
# Usage: tool_faults.sh CLI   (needs root, for the small disk and the ordinary user; else skipped)
set -euo pipefail

cli=$1
if (($(id -u) != 0)) || ! command -v strace >/dev/null || ! command -v setpriv >/dev/null; then
    echo "SKIP: needs root, strace and setpriv"
    exit 77
fi
# A mount of our own, gone with the process.
if [[ -z ${TOOL_FAULTS_NS:-} ]]; then exec env TOOL_FAULTS_NS=1 unshare -m "$0" "$@"; fi

work=$(mktemp -d)
trap 'umount "$work/disk" 2>/dev/null || true; rm -rf "$work"' EXIT
chmod 755 "$work"
cp "$cli" "$work/cli"
mkdir "$work/disk"
mount -t tmpfs -o size=512k,mode=0755 tmpfs "$work/disk"
disk=$work/disk
mkdir "$disk/ro" "$disk/rw"
chown 65534:65534 "$disk/ro" "$disk/rw"

fail() {
    echo "FAIL: $*" >&2
    [[ -s $work/err ]] && sed 's/^/  tool: /' "$work/err" >&2
    exit 1
}

# Runs the tool as nobody; its status in $status, its streams in $work/out and $work/err.
# LeakSanitizer cannot work under ptrace; strace gives the faults.
tool() {
    status=0
    setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/nonexistent LC_ALL=C.UTF-8 \
        ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 "$@" >"$work/out" 2>"$work/err" || status=$?
}
under_fault() {  # SYSCALLS:ERROR, then the tool's arguments
    local fault=$1
    shift
    tool strace -f -qq -o /dev/null -e trace="${fault%%:*}" -e inject="$fault" "$work/cli" "$@"
}
expect() {  # STATUS TEXT-IN-STDERR WHAT
    ((status == $1)) || fail "$3: status $status, not $1"
    grep -qF -- "$2" "$work/err" || fail "$3: no '$2' in the message"
}
same() { cmp -s "$1" "$2" || fail "$3 changed"; }
nothing_beside() {
    local n
    n=$(find "$1" -mindepth 1 | wc -l)
    ((n == $2)) || fail "$1 holds $n entries, not $2: $(ls -a "$1")"
}

design=(calc Title=Опыт Rkr=5 Qa=10 k=1.24 Pk=5 H=0)
long_note=Note=$(printf 'a long note %.0s' $(seq 1 400))

# The earlier design and STL in a folder that refuses temporary files beside them.
tool "$work/cli" "${design[@]}" --save "$disk/ro/n.dat"
((status == 0)) || fail "the first save: status $status"
printf 'an older solid' >"$disk/ro/n.stl"
chown 65534:65534 "$disk/ro/n.stl"
cp "$disk/ro/n.dat" "$work/n.dat"
cp "$disk/ro/n.stl" "$work/n.stl"
chmod 555 "$disk/ro"

# A full disk: the longer design and the STL are refused before a byte is written over them.
dd if=/dev/zero of="$disk/filler" bs=4k 2>/dev/null || true
tool "$work/cli" "${design[@]}" "$long_note" --save "$disk/ro/n.dat" --stl "$disk/ro/n.stl"
expect 5 "Нет места на устройстве" "a full disk"
same "$disk/ro/n.dat" "$work/n.dat" "the design on a full disk"
same "$disk/ro/n.stl" "$work/n.stl" "the STL on a full disk"
rm "$disk/filler"

# With room, a write that fails on the way puts the old bytes back.
under_fault pwrite64:error=EIO:when=1 "${design[@]}" "$long_note" --save "$disk/ro/n.dat"
expect 5 "Ошибка ввода-вывода" "a failed write in place"
same "$disk/ro/n.dat" "$work/n.dat" "the design after a failed write in place"
# And a flush that fails in place as well.
under_fault fdatasync:error=EIO:when=1 "${design[@]}" "$long_note" --save "$disk/ro/n.dat"
expect 5 "Ошибка ввода-вывода" "a failed flush in place"
same "$disk/ro/n.dat" "$work/n.dat" "the design after a failed flush in place"
nothing_beside "$disk/ro" 2
# Without a fault the same write is made.
tool "$work/cli" "${design[@]}" "$long_note" --save "$disk/ro/n.dat"
((status == 0)) || fail "the write in place: status $status"
grep -q 'a long note' "$disk/ro/n.dat" || fail "the design written in place lacks its note"

# A writable folder: a failed flush, a refused rename and an error without a Russian name
# each keep the earlier file and leave no temporary file.
tool "$work/cli" "${design[@]}" --save "$disk/rw/n.dat"
cp "$disk/rw/n.dat" "$work/rw.dat"
under_fault fdatasync:error=EIO "${design[@]}" "$long_note" --save "$disk/rw/n.dat"
expect 5 "Ошибка ввода-вывода" "a failed flush"
under_fault rename,renameat,renameat2:error=EXDEV "${design[@]}" "$long_note" --save "$disk/rw/n.dat"
expect 5 "Файл нельзя перенести на другое устройство" "a cross-device rename"
under_fault rename,renameat,renameat2:error=ENOTRECOVERABLE "${design[@]}" --save "$disk/rw/n.dat"
expect 5 "Системная ошибка номер 131" "an error without a name"
grep -q '[A-Za-z]' <(sed 's/.*: //' "$work/err") && fail "a reason not in Russian: $(cat "$work/err")"
same "$disk/rw/n.dat" "$work/rw.dat" "the design after failed saves"
nothing_beside "$disk/rw" 1

# Rows that standard output does not take are a failed run.
status=0
setpriv --reuid=65534 --regid=65534 --clear-groups env LC_ALL=C.UTF-8 \
    ASAN_OPTIONS=detect_leaks=0 "$work/cli" "${design[@]}" >/dev/full 2>"$work/err" || status=$?
expect 5 "standard output: not written: Нет места на устройстве" "rows to a full device"

echo "tool faults passed"
