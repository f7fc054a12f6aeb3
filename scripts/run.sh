#!/usr/bin/env bash
# Sets up, builds and starts the program against the built-in simulated keyboard.
# Extra arguments go to the program (for example --simulate=/tmp/kestrix.state).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BUILD=${BUILD_DIR:-build/run}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD"
args=("$@")
if ((${#args[@]} == 0)); then args=(--simulate); fi
exec "$BUILD/kestrix-cli" "${args[@]}" info
