#!/usr/bin/env bash
# Fuzzes the launch data record reader: builds its libFuzzer target with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/ (apart from the normal build), then runs it on the seed corpus in
# tests/fuzz/corpus/ for FUZZ_SECONDS seconds (default 60). Any crash, hang or sanitizer report fails the run
# and leaves the input that caused it in build-fuzz/findings/.
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

# New inputs go to a working corpus in the build folder; the seeds in git stay as they are.
mkdir -p "$build/corpus" "$build/findings"
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
echo "fuzz.sh: running the record reader for $seconds s"
"$build/fuzz_launchrecord" \
    -max_total_time="$seconds" \
    -timeout=10 \
    -rss_limit_mb=2048 \
    -max_len=8192 \
    -print_final_stats=1 \
    -artifact_prefix="$build/findings/" \
    "$build/corpus" "$root/tests/fuzz/corpus"
