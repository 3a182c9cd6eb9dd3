#!/usr/bin/env bash
# Measures spoken callouts in the real program: runs callouts_bench.py against a private sound server whose null
# sink is recorded, then prints how long after each change of the count from 10 to liftoff its call began to sound
# (median, p99 and largest over the runs, quiet and with two CPU hogs; see tests/e2e/soundtrace.py for the time
# base), besides what the runs cost in CPU, wake-ups and memory. The recording, the programs' output and each
# call's onset are kept in BUILD_DIR/artifacts/callouts-bench.
#
# Usage: bench/callouts_bench.sh BUILD_DIR [--runs N]   (about 20 s a run; 10 runs each way by default)
set -euo pipefail

build="$(realpath "$1")"
shift
root="$(dirname "$(realpath "$0")")/.."
# shellcheck source=tests/e2e/pulse.sh
source "$root/tests/e2e/pulse.sh"
pulse_require_tools || exit $?
out="$build/artifacts/callouts-bench"
rm -rf "$out"
mkdir -p "$out"

pulse_start
pulse_record "$out/sound"
python3 "$root/bench/callouts_bench.py" "$build/src/tarvane" "$out" "$@"
pulse_stop_recording
python3 "$pulse_soundtrace" onsets --trace "$out/sound" --plays "$out/plays.log" >"$out/onsets.txt"
echo
echo "Onset of each call's sound after the count's change, 10 to liftoff (ms):"
python3 "$pulse_soundtrace" onsets --trace "$out/sound" --plays "$out/plays.log" --summary
