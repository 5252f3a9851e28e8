#!/bin/sh
# Builds and runs every test: a Release build, then the same tests under AddressSanitizer with
# UndefinedBehaviorSanitizer, and under ThreadSanitizer. Exits non-zero on the first failure.
# The editor's window tests start a private virtual X server each (tests/x11host/with-xvfb.sh),
# so that their pointers never meet while ctest runs them in parallel.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" test
jobs=$(nproc)

run_suite() {
    name="$1"
    shift
    build="$root/build/test-$name"
    echo "=== $name ==="
    cmake -S "$root" -B "$build" -G Ninja "$@"
    cmake --build "$build" -j "$jobs"
    ctest --test-dir "$build" --output-on-failure -j "$jobs"
}

run_suite release -DCMAKE_BUILD_TYPE=Release
run_suite asan -DCMAKE_BUILD_TYPE=Debug "-DQZ_SANITIZE=address;undefined"
TSAN_OPTIONS="halt_on_error=1" run_suite tsan -DCMAKE_BUILD_TYPE=Debug -DQZ_SANITIZE=thread
