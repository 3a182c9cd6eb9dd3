#!/usr/bin/env bash
# Fuzzes the file readers: builds their libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/ (apart from the normal build), then runs each on its seed corpus in
# tests/fuzz/ for FUZZ_SECONDS seconds (default 60): the launch data record reader, then the countdown sequence
# reader. Any crash, hang or sanitizer report fails the run and leaves the input that caused it in
# build-fuzz/findings/.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${FUZZ_SECONDS:-60}"
build="$root/build-fuzz"

for tool in clang++ cmake ninja; do
    command -v "$tool" >/dev/null || { echo "fuzz.sh: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

[[ -f "$build/CMakeCache.txt" ]] || cmake -S "$root/tests/fuzz" -B "$build" -G Ninja \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build"

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

# fuzz TARGET WORKING_CORPUS SEEDS MAX_LEN: new inputs go to a working corpus in the build folder; the seeds in git
# stay as they are.
fuzz()
{
    local target="$1" corpus="$build/$2" seeds="$root/tests/fuzz/$3" max_len="$4"
    mkdir -p "$corpus" "$build/findings"
    echo "fuzz.sh: running $target for $seconds s"
    "$build/$target" \
        -max_total_time="$seconds" \
        -timeout=10 \
        -rss_limit_mb=2048 \
        -max_len="$max_len" \
        -print_final_stats=1 \
        -artifact_prefix="$build/findings/" \
        "$corpus" "$seeds"
}

fuzz fuzz_launchrecord corpus corpus 8192
# Long enough for a sequence's longest lines (1 KiB) and a few dozen milestones.
fuzz fuzz_sequence corpus-sequence sequence-corpus 16384
