#!/usr/bin/env bash
# Sets up, builds and starts the Kestrix window against the built-in simulated keyboard.
# Extra arguments go to the program (for example --simulate=/tmp/kestrix.state).
#
# Without a display (a bare terminal or CI), the window is started on a virtual X screen,
# photographed after it has come up (build/run/kestrix-screen.png) and ended again, so the
# command still shows that the program starts. KEEP_RUNNING=1 leaves it running there instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BUILD=${BUILD_DIR:-build/run}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" --target Kestrix kestrix-cli
args=("$@")
if ((${#args[@]} == 0)); then args=(--simulate); fi
program="$BUILD/Kestrix"

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
    exec "$program" "${args[@]}"
fi

if ! command -v xvfb-run >/dev/null; then
    echo "run.sh: no display and no xvfb-run; running Kestrix offscreen" >&2
    QT_QPA_PLATFORM=offscreen exec "$program" "${args[@]}"
fi

if [[ "${KEEP_RUNNING:-0}" == 1 ]]; then
    echo "run.sh: no display; Kestrix runs on a virtual X screen (xvfb-run)" >&2
    exec xvfb-run -a "$program" "${args[@]}"
fi

shot="$BUILD/kestrix-screen.png"
# Inside xvfb-run: start the window, give it the splash and the keyboard read, photograph it.
xvfb-run -a -s "-screen 0 1100x700x24" bash -c '
    "$0" "${@:2}" &
    pid=$!
    sleep 4
    import -window root "$1" || true
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
' "$program" "$shot" "${args[@]}"
echo "run.sh: no display; Kestrix started on a virtual screen, which looks like $shot"
"$BUILD/kestrix-cli" "${args[@]}" info
