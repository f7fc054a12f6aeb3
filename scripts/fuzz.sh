#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, and
# runs each for SECONDS (default 60) starting from its committed seeds in fuzz/corpus/NAME.
# New inputs go to BUILD/corpus/NAME, never into the repository; a finding is written to
# BUILD/findings/ and makes the script fail.
#   scripts/fuzz.sh [SECONDS] [TARGET...]     e.g. scripts/fuzz.sh 600 keymap inspect
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-60}
shift || true
BUILD=${FUZZ_BUILD_DIR:-build/fuzz}
CLANG=$(command -v clang++-14 || command -v clang++)

cmake -S . -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER="$CLANG" -DCMAKE_BUILD_TYPE=None \
    -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" -DTALVEX_FUZZ=ON -DTALVEX_SANITIZE=ON \
    -DTALVEX_GUI=OFF -DTALVEX_TESTS=OFF -DTALVEX_BENCH=OFF >/dev/null

if [ $# -gt 0 ]; then
    names=("$@")
else
    names=()
    for source in fuzz/*_fuzz.cpp; do
        name=$(basename "$source" .cpp)
        names+=("${name%_fuzz}")
    done
fi
cmake --build "$BUILD" -j2 --target "${names[@]/#/talvex_fuzz_}"

# The longest input each target can use: whole files for the file readers.
max_len() {
    case $1 in
    keymap | profile_load | forwarded_command) echo 210000 ;;
    profile_document) echo 65536 ;;
    main_window) echo 12000 ;;
    device_reports) echo 65536 ;;
    *) echo 4096 ;;
    esac
}

export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$BUILD/findings"
for name in "${names[@]}"; do
    corpus="$BUILD/corpus/$name"
    mkdir -p "$corpus"
    echo "fuzz $name for ${SECONDS_EACH}s"
    seeds=()
    if [ -d "fuzz/corpus/$name" ]; then
        seeds=("fuzz/corpus/$name")
    fi
    "$BUILD/fuzz/talvex_fuzz_$name" "$corpus" "${seeds[@]}" \
        -max_total_time="$SECONDS_EACH" -max_len="$(max_len "$name")" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$BUILD/findings/$name-" \
        2>"$BUILD/$name.log" || {
        tail -n 60 "$BUILD/$name.log"
        echo "fuzz $name: finding in $BUILD/findings" >&2
        exit 1
    }
    grep -E '^stat::number_of_executed_units|^stat::new_units_added' "$BUILD/$name.log" |
        tr -s ' \n' ' '
    echo
done
