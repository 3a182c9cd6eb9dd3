#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test:
#   1. the normal build in build/ and its whole CTest suite;
#   2. an AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/ and the same suite;
#   3. scripts/fuzz.sh, when it exists (bounded in time; fails on any finding);
#   4. scripts/package-check.sh: the Release build in build-rel/, its Debian package, lintian and appstreamcli.
# Every stage runs even when an earlier one failed, so one run shows all failures; the exit status is
# non-zero if any stage failed. Test artefacts (screenshots) go to <build folder>/artifacts/.
set -uo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
cd "$tarvane_root" || exit 1

jobs="$(nproc 2>/dev/null || echo 2)"
results=()
failed=0

# stage NAME COMMAND...: runs one stage, timing it and noting its outcome.
stage()
{
    local name="$1"
    shift
    echo
    echo "=== $name"
    local start end status
    start="$(date +%s)"
    "$@"
    status=$?
    end="$(date +%s)"
    local outcome=passed
    if ((status != 0)); then
        outcome="FAILED (exit $status)"
        failed=1
    fi
    results+=("$(printf '%-28s %5d s  %s' "$name" "$((end - start))" "$outcome")")
    echo "=== $name: $outcome after $((end - start)) s"
    return 0
}

passed=0
failed_tests=0

# build_and_test DIR [cmake options...]: configures, builds and runs the CTest suite of DIR, counting its tests.
# shellcheck disable=SC2317 # called through stage
build_and_test()
{
    local dir="$1"
    shift
    if ! tarvane_configure "$dir" "$@" || ! tarvane_build "$dir"; then
        return 1
    fi
    local log="$tarvane_root/$dir/ctest-output.log" status bad total
    ctest --test-dir "$dir" --output-on-failure --no-tests=error -j "$jobs" 2>&1 | tee "$log"
    status=$?
    local counts
    counts="$(sed -nE 's/^[0-9]+% tests passed, ([0-9]+) tests? failed out of ([0-9]+)$/\1 \2/p' "$log" | tail -n 1)"
    if [[ -n "$counts" ]]; then
        read -r bad total <<<"$counts"
        passed=$((passed + total - bad))
        failed_tests=$((failed_tests + bad))
    fi
    return "$status"
}

stage "install dependencies" scripts/install-deps.sh
if ((failed)); then
    echo "test.sh: the dependencies could not be installed" >&2
    exit 1
fi
stage "build and test" build_and_test build
stage "sanitizer build and test" build_and_test build-asan -DTARVANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DTARVANE_BENCH=OFF
if [[ -x scripts/fuzz.sh || -f scripts/fuzz.sh ]]; then
    stage "fuzz" bash scripts/fuzz.sh
fi
stage "package and lintian" scripts/package-check.sh

echo
echo "=== summary"
printf '%s\n' "${results[@]}"
if ((failed)); then
    echo "test.sh: FAILED"
else
    echo "test.sh: all stages passed"
fi
echo "ctest: $passed passed, $failed_tests failed"
exit "$failed"
