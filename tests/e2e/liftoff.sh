#!/usr/bin/env bash
# Starts the real program in a virtual X server at a fake time ten seconds before the default launch target
# ("May 3, 2001   10:30:00 AM") and checks the colour of the window's bare background: red before liftoff,
# green after it. The screenshots and the program's output are kept in ARTEFACT_DIR.
#
# Usage: liftoff.sh PROGRAM ARTEFACT_DIR
#
# The computer's clock is never at risk: the program runs without the capability to set the time, without a
# system bus to ask a time service, on its own application clock, and sees the fake time only through
# libfaketime, preloaded directly. Deadlines below only bound the waiting; no duration is checked.
set -euo pipefail

readonly start_time='2001-05-03 10:29:50'
# The library itself, not the faketime wrapper: the wrapper makes a semaphore named after its process id in
# /dev/shm and fails when a stale one of that name is left there.
readonly libfaketime=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
readonly seconds_to_liftoff=10
readonly before_liftoff='255,128,128'
readonly after_liftoff='0,192,0'
readonly probe_x=8 probe_y=8 # bare background left of the count's sign
readonly attempts=3

fail()
{
    echo "e2e FAILED: $*" >&2
    exit 1
}

if [[ "${1:-}" != --inside ]]; then
    (($# == 2)) || fail "usage: $0 PROGRAM ARTEFACT_DIR"
    for tool in xvfb-run xdotool import convert setpriv timeout; do
        command -v "$tool" >/dev/null || fail "$tool is missing; run scripts/install-deps.sh"
    done
    [[ -f "$libfaketime" ]] || fail "$libfaketime is missing; run scripts/install-deps.sh"
    mkdir -p "$2"
    rm -f "$2"/*.png "$2"/*.log
    exec xvfb-run -a -e "$2/xvfb.log" -s "-screen 0 1280x1024x24" bash "$0" --inside "$1" "$2"
fi

program="$2"
artefacts="$3"
# shellcheck source=tests/e2e/process.sh
source "$(dirname "$(realpath "$0")")/process.sh"
home=""
pid=""

stop_program()
{
    [[ -z "$pid" ]] || end_group "$pid"
    pid=""
}

cleanup()
{
    stop_program
    [[ -z "$home" ]] || rm -rf "$home"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

now_ms() { date +%s%3N; }

# Prints the colour at the probe point of a screenshot as "r,g,b".
probe()
{
    convert "$1" -format \
        "%[fx:round(255*p{$probe_x,$probe_y}.r)],%[fx:round(255*p{$probe_x,$probe_y}.g)],%[fx:round(255*p{$probe_x,$probe_y}.b)]" \
        info:
}

# Saves a screenshot of the window to $1 (raised first, so no other window covers it) and prints its probe colour.
capture()
{
    xdotool windowraise "$window" 2>/dev/null || true
    import -window "$window" "$1" && probe "$1"
}

program_alive()
{
    kill -0 "$pid" 2>/dev/null && return 0
    echo "--- program output:" >&2
    cat "$artefacts/program.log" >&2
    return 1
}

# A fresh, throw-away home and session for the program.
start_program()
{
    home="$(mktemp -d)"
    mkdir -p "$home/.config" "$home/.local/share" "$home/.local/state" "$home/.cache" "$home/run"
    chmod 700 "$home/run"
    export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
    export XDG_STATE_HOME="$home/.local/state" XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/run"
    export TZ=UTC LANG=C.UTF-8 QT_QPA_PLATFORM=xcb
    export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent
    # Qt's timers run on the monotonic clock, which stays real; only the wall clock is faked.
    export FAKETIME_DONT_FAKE_MONOTONIC=1
    # libfaketime is preloaded ahead of the sanitizer runtime of a sanitizer build; that order works here.
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"

    launched_ms="$(now_ms)"
    set -m # its own process group, so that stop_program ends everything it started
    # "@": the fake clock starts at start_time and runs on from there. Only the program gets the library.
    setpriv --bounding-set=-sys_time --inh-caps=-sys_time \
        env LD_PRELOAD="$libfaketime${LD_PRELOAD:+:$LD_PRELOAD}" FAKETIME="@$start_time" \
        "$program" --app-clock >"$artefacts/program.log" 2>&1 &
    pid=$!
    set +m
}

# Waits for the main window while the program lives; sets $window.
find_window()
{
    local deadline=$(($(now_ms) + 30000))
    window=""
    while (($(now_ms) < deadline)) && kill -0 "$pid" 2>/dev/null; do
        window="$(timeout 5 xdotool search --onlyvisible --name '^Mission Elapsed Time$' 2>/dev/null | head -n 1)" ||
            true
        [[ -z "$window" ]] || return 0
        sleep 0.2
    done
    return 1
}

# Before liftoff. The fake clock starts no earlier than the launch, so a screenshot finished less than ten real
# seconds after the launch shows the window before liftoff. A slow start that leaves no such screenshot proves
# nothing either way and is tried again.
before_liftoff_checked=""
for attempt in $(seq "$attempts"); do
    start_program
    if ! find_window; then
        program_alive || fail "the program ended before its window appeared"
        fail "no window titled \"Mission Elapsed Time\" appeared"
    fi
    echo "e2e: attempt $attempt: window $window appeared $(($(now_ms) - launched_ms)) ms after the launch"
    seen=""
    while :; do
        program_alive || fail "the program ended before liftoff"
        seen="$(capture "$artefacts/before-liftoff.png")" || fail "could not take a screenshot of window $window"
        elapsed=$(($(now_ms) - launched_ms))
        if ((elapsed < seconds_to_liftoff * 1000)); then
            [[ "$seen" == "$after_liftoff" ]] &&
                fail "the background is green ($seen) before liftoff; see $artefacts/before-liftoff.png"
            if [[ "$seen" == "$before_liftoff" ]]; then
                before_liftoff_checked=yes
                break
            fi
            sleep 0.2 # not painted yet
        else
            break
        fi
    done
    [[ -n "$before_liftoff_checked" ]] && break
    echo "e2e: attempt $attempt: no screenshot before liftoff (last colour $seen after $elapsed ms); trying again"
    cp "$artefacts/before-liftoff.png" "$artefacts/too-late-$attempt.png" 2>/dev/null || true
    stop_program
    rm -rf "$home"
    home=""
done
[[ -n "$before_liftoff_checked" ]] ||
    fail "the window could not be captured before liftoff in $attempts attempts (machine too busy?)"
echo "e2e: before liftoff the background is $seen as expected"

# After liftoff: from fake 10:30:05 on, the window must turn green.
while (($(now_ms) < launched_ms + (seconds_to_liftoff + 5) * 1000)); do
    sleep 0.2
done
deadline=$(($(now_ms) + 45000))
while :; do
    program_alive || fail "the program ended after liftoff"
    seen="$(capture "$artefacts/after-liftoff.png")" || fail "could not take a screenshot of window $window"
    [[ "$seen" == "$after_liftoff" ]] && break
    (($(now_ms) < deadline)) ||
        fail "the background is $seen, not green ($after_liftoff), after liftoff; see $artefacts/after-liftoff.png"
    sleep 0.5
done
echo "e2e: after liftoff the background is $seen as expected"

stop_program
if grep -qE 'ERROR: AddressSanitizer|runtime error:' "$artefacts/program.log"; then
    cat "$artefacts/program.log" >&2
    fail "the sanitizers reported an error"
fi
echo "e2e: passed; screenshots in $artefacts"
