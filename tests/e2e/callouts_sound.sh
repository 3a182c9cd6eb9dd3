#!/usr/bin/env bash
# Real sound from the real program: Tarvane runs with --speak on its own clock, which libfaketime starts 14 seconds
# before the default launch target, and plays into a private sound server's null sink, whose monitor is recorded
# and laid on the monotonic clock (soundtrace.py). The seconds trace gives the monotonic time of each change of the
# count. Each of "10" ... "1" and "Liftoff" must sound in its own second, and nothing where nothing is due: before
# T - 10 and after liftoff's call. Deadlines only bound the waiting; no duration is checked.
#
# Usage: callouts_sound.sh PROGRAM ARTEFACT_DIR. Exit 77 means skipped (a tool is missing; never under CI).
set -euo pipefail

program="$1"
artefacts="$2"
here="$(dirname "$(realpath "$0")")"
# shellcheck source=tests/e2e/pulse.sh
source "$here/pulse.sh"
# shellcheck source=tests/e2e/process.sh
source "$here/process.sh"
pulse_require_tools || exit $?
# The library itself, not the faketime wrapper (see liftoff.sh).
readonly libfaketime=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
readonly start_time='2001-05-03 10:29:46' # T - 14 s
for needed in setpriv "$libfaketime"; do
    [[ -e "$needed" ]] || command -v "$needed" >/dev/null && continue
    if [[ -n "${CI:-}" ]]; then
        echo "FAIL: $needed is missing (CI must run this test); run scripts/install-deps.sh" >&2
        exit 1
    fi
    echo "SKIP: $needed is missing; run scripts/install-deps.sh"
    exit 77
done
mkdir -p "$artefacts"
rm -f "$artefacts"/sound.* "$artefacts"/program.log "$artefacts"/changes.log "$artefacts"/onsets.txt

fail()
{
    echo "callouts_sound FAILED: $*" >&2
    [[ ! -f "$artefacts/program.log" ]] || { echo "--- program output:" >&2; cat "$artefacts/program.log" >&2; }
    exit 1
}

home=""
pid=""
stop_program()
{
    [[ -z "$pid" ]] || end_group "$pid"
    pid=""
}
finish()
{
    stop_program
    [[ -z "$home" ]] || rm -rf "$home"
    pulse_stop
}
pulse_start
trap finish EXIT # after pulse_start, whose own trap it takes over
trap 'exit 1' INT TERM HUP
pulse_record "$artefacts/sound"

# A throw-away home; the sound server's runtime folder and PULSE_SERVER stay as pulse_start set them.
home="$(mktemp -d)"
set -m # its own process group
HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" XDG_CACHE_HOME="$home/.cache" \
    TZ=UTC LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen TARVANE_TRACE_SECONDS=monotonic \
    DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
    FAKETIME_DONT_FAKE_MONOTONIC=1 ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
    setpriv --bounding-set=-sys_time --inh-caps=-sys_time \
    env LD_PRELOAD="$libfaketime${LD_PRELOAD:+:$LD_PRELOAD}" FAKETIME="@$start_time" \
    "$program" --speak --app-clock >"$artefacts/program.log" 2>&1 &
pid=$!
set +m

# Until two seconds after liftoff, and a little more for the recording to take the last sound.
for _ in $(seq 600); do
    grep -q '^tarvane-seconds [0-9.]* T + 000 00 00 02$' "$artefacts/program.log" && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended before T + 2"
    sleep 0.1
done
grep -q '^tarvane-seconds [0-9.]* T + 000 00 00 02$' "$artefacts/program.log" || fail "the count never reached T + 2"
sleep 1.2
stop_program
pulse_stop_recording
if grep -qE 'ERROR: AddressSanitizer|runtime error:|cannot be heard' "$artefacts/program.log"; then
    fail "the program reported a fault"
fi

# Each change of the count: "MONOTONIC_MS COUNT", the count positive before liftoff.
awk '$1 == "tarvane-seconds" {
        seconds = $5 * 86400 + $6 * 3600 + $7 * 60 + $8
        print $2, ($4 == "-" ? seconds : -seconds)
    }' "$artefacts/program.log" >"$artefacts/changes.log"
change() { awk -v c="$1" '$2 == c { print $1; exit }' "$artefacts/changes.log"; }
for count in $(seq 14 -1 -2); do
    [[ -n "$(change "$count")" ]] || fail "the count never showed $count (see $artefacts/changes.log)"
done

# Onset of the sound after each change of the count that has a call.
for count in $(seq 10 -1 0); do
    echo "$(change "$count") count $count"
done >"$artefacts/calls.log"
python3 "$pulse_soundtrace" onsets --trace "$artefacts/sound" --plays "$artefacts/calls.log" >"$artefacts/onsets.txt"
cat "$artefacts/onsets.txt"

# The milliseconds of sound in [FROM, TO), both given as a change of the count plus milliseconds.
audible()
{
    python3 "$pulse_soundtrace" audible --trace "$artefacts/sound" \
        "$(awk -v t="$(change "$1")" -v d="$2" 'BEGIN { printf "%.2f", t + d }')" \
        "$(awk -v t="$(change "$3")" -v d="$4" 'BEGIN { printf "%.2f", t + d }')"
}
expect_silence()
{
    local heard
    heard="$(audible "$@")" || fail "the recording does not cover $*"
    ((heard == 0)) || fail "$heard ms of sound between the count's $1 (+$2 ms) and $3 (+$4 ms), where nothing is due"
}

while read -r _ onset _ _ count; do
    [[ "$onset" =~ ^-?[0-9.]+$ ]] || fail "no sound began in the second of $count ($onset)"
    next="$(change $((count - 1)))"
    this="$(change "$count")"
    awk -v o="$onset" -v len="$(awk -v a="$this" -v b="$next" 'BEGIN { print b - a }')" 'BEGIN { exit !(o < len) }' ||
        fail "the call of $count began $onset ms after its second began, in the next second"
    echo "the call of $count began $onset ms after the count showed it"
done <"$artefacts/onsets.txt"
(($(wc -l <"$artefacts/onsets.txt") == 11)) || fail "not every call was looked for"

# Silence windows keep clear of the seconds' changes by more than the time base's error (see soundtrace.py).
expect_silence 14 0 10 -20
for count in $(seq 10 -1 1); do
    # Each call has ended before the next second, and the next one does not come early.
    expect_silence "$count" 850 $((count - 1)) -20
done
expect_silence -1 0 -2 900
echo "callouts_sound: passed"
