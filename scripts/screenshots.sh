#!/usr/bin/env bash
# Renders every window offscreen against the simulated keyboard into docs/screenshots/*.png,
# the pictures the README shows. Run it again after a change to the skin or a window.
# OUT=folder writes them elsewhere; BUILD_DIR=folder uses a build folder that already exists,
# as it is configured (build/screenshots is made when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BUILD=${BUILD_DIR:-build/screenshots}
OUT=$(realpath -m "${OUT:-docs/screenshots}")
if [[ ! -f "$BUILD/CMakeCache.txt" ]]; then
    cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALVEX_BENCH=OFF >/dev/null
fi
cmake --build "$BUILD" --target talvex_app_qt_tests
mkdir -p "$OUT"
# A sanitizer build reports the toolkit's own leftovers at exit unless told what they are.
LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
    QT_QPA_PLATFORM=offscreen TALVEX_SOURCE_DIR="$PWD" TALVEX_BINARY_DIR="$(realpath "$BUILD")" \
    TALVEX_SCREENSHOT_DIR="$OUT" "$BUILD/tests/talvex_app_qt_tests" \
    --gtest_filter='WindowScreenshots.*' --gtest_brief=1
echo "screenshots: $(ls "$OUT"/*.png | wc -l) pictures in $OUT"
