#!/usr/bin/env bash
# Runs bench/speech_bench against a private sound server whose null sink is recorded, then prints how long after
# each count call its sound began (median, p99 and largest over the runs, quiet and with two CPU hogs; see
# tests/e2e/soundtrace.py for how the recording is put on the monotonic clock). The recording, the log of calls
# and each call's onset are kept in BUILD_DIR/artifacts/speech-bench.
#
# Usage: bench/speech_bench.sh BUILD_DIR [--runs N] [--idle-seconds N]
set -euo pipefail

build="$(realpath "$1")"
shift
root="$(dirname "$(realpath "$0")")/.."
# shellcheck source=tests/e2e/pulse.sh
source "$root/tests/e2e/pulse.sh"
pulse_require_tools || exit $?
out="$build/artifacts/speech-bench"
mkdir -p "$out"

pulse_start
pulse_record "$out/sound"
QT_QPA_PLATFORM=offscreen "$build/bench/speech_bench" --plays "$out/plays.log" "$@"
pulse_stop_recording
python3 "$pulse_soundtrace" onsets --trace "$out/sound" --plays "$out/plays.log" >"$out/onsets.txt"
echo
echo "Onset of each count call's sound after its play call (ms):"
python3 "$pulse_soundtrace" onsets --trace "$out/sound" --plays "$out/plays.log" --summary
