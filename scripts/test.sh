#!/bin/sh
# Builds and runs every test: a Release build, then the same tests under AddressSanitizer with
# UndefinedBehaviorSanitizer, and under ThreadSanitizer. Every suite runs even when an earlier one
# fails; the output ends with one line per suite, and the exit status is non-zero if any failed.
# The editor's window tests start a private virtual X server each (tests/x11host/with-xvfb.sh),
# so that their pointers never meet while ctest runs them in parallel.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" test
jobs=$(nproc)
# Only the ThreadSanitizer build reads this.
TSAN_OPTIONS="halt_on_error=1"
export TSAN_OPTIONS
summary=""
status=0

# run_suite NAME CMAKE-OPTIONS...: builds and tests one suite and adds its line to the summary.
run_suite() {
    name="$1"
    shift
    build="$root/build/test-$name"
    # ctest writes this list only when tests fail; an old one would be counted again.
    failures="$build/Testing/Temporary/LastTestsFailed.log"
    echo "=== $name ==="
    if ! { cmake -S "$root" -B "$build" -G Ninja "$@" && cmake --build "$build" -j "$jobs"; }; then
        result="FAILED (build)"
    else
        rm -f "$failures"
        if ctest --test-dir "$build" --output-on-failure -j "$jobs"; then
            result="passed"
        elif [ -s "$failures" ]; then
            count=$(wc -l <"$failures" | tr -d ' ')
            if [ "$count" -eq 1 ]; then result="FAILED (1 test)"; else result="FAILED ($count tests)"; fi
        else
            result="FAILED (ctest)"
        fi
    fi
    [ "$result" = passed ] || status=1
    summary="$summary$name: $result
"
}

run_suite release -DCMAKE_BUILD_TYPE=Release
run_suite asan -DCMAKE_BUILD_TYPE=Debug "-DQZ_SANITIZE=address;undefined"
run_suite tsan -DCMAKE_BUILD_TYPE=Debug -DQZ_SANITIZE=thread

echo "=== summary ==="
printf '%s' "$summary"
exit "$status"
