#!/usr/bin/env bash
# Builds the tests of the code that runs on more than one thread (the device link with its event
# reader, and the application's lifecycle: device thread, hot-plug, shutdown) with
# ThreadSanitizer, and runs them. Any race report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${TSAN_BUILD_DIR:-build/tsan}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -g1" \
    -DTALVEX_TSAN=ON -DTALVEX_GUI=OFF -DTALVEX_BENCH=OFF -DTALVEX_TESTS=ON >/dev/null
targets=(talvex_device_tests)
if compgen -G "tests/app/*_test.cpp" >/dev/null; then
    targets+=(talvex_app_tests)
fi
cmake --build "$BUILD" -j2 --target "${targets[@]}"

export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
export TALVEX_SOURCE_DIR=$PWD TALVEX_BINARY_DIR=$PWD/$BUILD
# This compiler's TSan cannot place its shadow memory under the kernel's widest address-space
# randomisation; running without randomisation avoids that.
run=()
if setarch "$(uname -m)" -R true 2>/dev/null; then
    run=(setarch "$(uname -m)" -R)
fi
for target in "${targets[@]}"; do
    echo "tsan $target"
    "${run[@]}" "$BUILD/tests/$target" --gtest_brief=1
done
