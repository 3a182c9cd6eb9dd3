#!/usr/bin/env bash
# The real program with its launch data file on a full disk: Ctrl+S, then Esc and Yes, must each tell the
# operator that the file could not be saved and why, keep the program open, and leave the file byte for byte as
# it was. The disk is a 64 KiB tmpfs in a private mount namespace, so the machine's own mounts are never touched;
# where the namespace is refused the test is skipped (exit 77), except under CI, which must run it.
# The program runs without the right to set the clock, without a system bus and on its own application clock.
# Usage: full_disk.sh PROGRAM ARTEFACT_DIR
set -euo pipefail

fail() { echo "full_disk FAILED: $*" >&2; exit 1; }
skip() {
    [[ -z "${CI:-}" ]] || fail "$* (CI must run this test)"
    echo "full_disk: $*, skipped"
    exit 77
}

if [[ "${1:-}" != --inside ]]; then
    (($# == 2)) || fail "usage: $0 PROGRAM ARTEFACT_DIR"
    for tool in xvfb-run xdotool xprop import openbox setpriv unshare; do
        command -v "$tool" >/dev/null || skip "$tool is missing"
    done
    unshare --mount --propagation private true 2>/dev/null || skip "unshare --mount was refused (not root?)"
    mkdir -p "$2"
    rm -f "$2"/full-disk-*.png
    exec unshare --mount --propagation private \
        xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inside "$(realpath "$1")" "$(realpath "$2")"
fi

program="$2"
artefacts="$3"
home="$(mktemp -d)"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    umount "$home/missions" 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT

place="$home/missions"
mkdir -p "$place"
mount -t tmpfs -o size=64k tmpfs "$place"
file="$place/mission.trv"
printf '"June 1, 2002   2:05:00 PM","Jun 1, 2002",1,#TRUE#,"1:30:00","07","05","14","09","08","01","%s","%s"\r\n' \
    "$file" "$file" >"$file"
cp "$file" "$home/before.trv"
dd if=/dev/zero of="$place/filler" bs=1k 2>/dev/null || true # stops at the end of the disk
if dd if=/dev/zero of="$place/more" bs=4k count=1 2>/dev/null; then fail "the tmpfs is not full"; fi
rm -f "$place/more"

# shellcheck source=tests/e2e/x11.sh
source "$(dirname "$0")/x11.sh"
start_openbox || fail "openbox never managed the screen"

env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" LANG=C.UTF-8 \
    DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
    setpriv --bounding-set=-sys_time --inh-caps=-sys_time "$program" --app-clock "$file" \
    >"$artefacts/full-disk-program.log" 2>&1 &
pid=$!
pids+=("$pid")

find_window() { # NAME: the first visible window of that title
    local id
    for _ in $(seq 150); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
        [[ -n "$id" ]] && { echo "$id"; return 0; }
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}
gone() { # NAME
    for _ in $(seq 150); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}
press() { xdotool windowactivate --sync "$1" key --clearmodifiers "$2"; }
unchanged() { cmp -s "$file" "$home/before.trv" || fail "$1: the file changed: $(od -c "$file" | head -3)"; }

main=$(find_window "Mission Elapsed Time") || fail "no main window"
gone Tarvane || fail "the splash did not close" # message boxes carry the same title

press "$main" ctrl+s
box=$(find_window Tarvane) || fail "Ctrl+S showed no message"
import -window root "$artefacts/full-disk-save.png"
unchanged "after Ctrl+S"
press "$box" Return
gone Tarvane || fail "the message did not close"

press "$main" Escape
prompt=$(find_window Tarvane) || fail "Esc showed no exit prompt"
press "$prompt" Return # Yes, the default
sleep 0.5               # the prompt gives way to the next box
box=$(find_window Tarvane) || fail "the failed save on exit showed no message"
import -window root "$artefacts/full-disk-exit.png"
unchanged "after Esc and Yes"
press "$box" Return
gone Tarvane || fail "the message did not close"
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the program ended although nothing was saved"
xdotool search --onlyvisible --name '^Mission Elapsed Time$' >/dev/null || fail "the main window is gone"
unchanged "at the end"
[[ "$(ls -A "$place")" == $'filler\nmission.trv' ]] || fail "files left behind: $(ls -A "$place")"
if grep -qE 'ERROR: AddressSanitizer|runtime error:' "$artefacts/full-disk-program.log"; then
    cat "$artefacts/full-disk-program.log" >&2
    fail "the sanitizers reported an error"
fi
echo "full_disk: passed; screenshots in $artefacts"
