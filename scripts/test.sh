#!/usr/bin/env bash
# Sets up, builds with AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BUILD=${BUILD_DIR:-build/test}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTALVEX_SANITIZE=ON >/dev/null
cmake --build "$BUILD"
# The threaded tests under ThreadSanitizer, and each fuzz target for a few seconds over its seeds.
bash scripts/tsan.sh
bash scripts/fuzz.sh "${FUZZ_SECONDS:-3}"
# The whole suite last, so its summary closes the output.
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD" --output-on-failure -j2 --timeout 300
