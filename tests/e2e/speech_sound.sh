#!/usr/bin/env bash
# Real sound: the real speaker plays into a private sound server's null sink, whose monitor is recorded and
# analysed on the monotonic clock. Each step's sound must begin in its own second, a step must cut off the one
# still playing, the texts of one step must play one after another, and nothing may sound where nothing is due.
# Deadlines only bound the waiting; no duration is checked.
#
# Usage: speech_sound.sh SPEECH_PROBE ARTEFACT_DIR. Exit 77 means skipped (a tool is missing; never under CI).
set -euo pipefail

probe="$1"
artefacts="$2"
here="$(dirname "$(realpath "$0")")"
# shellcheck source=tests/e2e/pulse.sh
source "$here/pulse.sh"
pulse_require_tools || exit $?
mkdir -p "$artefacts"
rm -f "$artefacts"/sound.* "$artefacts"/plays.log "$artefacts"/onsets.txt

fail()
{
    echo "speech_sound FAILED: $*" >&2
    exit 1
}

pulse_start
pulse_record "$artefacts/sound"
# Second 0: a short call. 1: two long calls in one step, cut off at 2 by the next. 5: two calls in one step, the
# second after the first.
"$probe" --log "$artefacts/plays.log" "10" "One minute of launch window remaining|Launch window expired" "Liftoff" \
    - - "Hold, hold, hold|Count resuming" - - - - || fail "the probe ended with $?"
pulse_stop_recording
python3 "$pulse_soundtrace" onsets --trace "$artefacts/sound" --plays "$artefacts/plays.log" >"$artefacts/onsets.txt"
cat "$artefacts/onsets.txt"

start="$(awk 'NR == 1 { print $1 }' "$artefacts/plays.log")"
# audible FROM TO: the milliseconds of sound between FROM and TO ms after the first step was played.
audible()
{
    python3 "$pulse_soundtrace" audible --trace "$artefacts/sound" \
        "$(awk -v s="$start" -v d="$1" 'BEGIN { printf "%.1f", s + d }')" \
        "$(awk -v s="$start" -v d="$2" 'BEGIN { printf "%.1f", s + d }')"
}
expect_silence() { (($(audible "$1" "$2") == 0)) || fail "sound between $1 and $2 ms, where nothing is due"; }
expect_sound() { (($(audible "$1" "$2") > 0)) || fail "no sound between $1 and $2 ms"; }

# Each step that began in silence: its sound begins within its second.
while read -r _ onset _ texts; do
    [[ "$texts" != Liftoff ]] || continue # it plays over the step before it
    [[ "$onset" =~ ^-?[0-9.]+$ ]] || fail "\"$texts\": $onset"
    echo "\"$texts\": sound $onset ms after the call"
done <"$artefacts/onsets.txt"
(($(wc -l <"$artefacts/plays.log") == 4)) || fail "the probe played $(wc -l <"$artefacts/plays.log") steps, not 4"

# Windows of silence keep clear of the steps' seconds by more than the time base's error (see soundtrace.py).
expect_silence -500 -20
expect_sound 0 1000
expect_sound 1000 2000
expect_sound 2000 3000
# Not cut off, the long step would sound until about 4.9 s.
expect_silence 3500 4900
expect_sound 5000 6000
# "Count resuming" after "Hold, hold, hold" (1.9 s).
expect_sound 7400 7900
expect_silence 8600 10000
echo "speech_sound: passed"
