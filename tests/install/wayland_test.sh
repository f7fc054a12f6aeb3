#!/usr/bin/env bash
# Starts the window on a headless Wayland compositor, with no X server to fall back on, and
# checks that it really talks Wayland: a toplevel named after the desktop entry (how a Wayland
# desktop finds the window's name and icon), painted and handed to the compositor, and a clean
# end once its first paint is over.
# usage: wayland_test.sh KESTRIX
# Exit 77 (skipped) where weston or Qt's Wayland platform plugin is missing.
set -euo pipefail
kestrix=$1
source=$(cd "$(dirname "$0")/../.." && pwd)

command -v weston >/dev/null || { echo "skipped: weston is missing"; exit 77; }
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || true)
compgen -G "${plugins:-/usr/lib/*/qt6/plugins}/platforms/libqwayland-*.so" >/dev/null ||
    { echo "skipped: qt6-wayland is missing"; exit 77; }

# The compositor's socket lives in a runtime folder of our own, which Wayland wants private.
tmp=$(mktemp -d)
chmod 0700 "$tmp"
socket=kestrix-test-$$
weston_pid=
finish() {
    # timeout leads its own process group, so this also ends the clients weston started.
    if [ -n "$weston_pid" ] && kill -TERM -- "-$weston_pid" 2>/dev/null; then
        wait "$weston_pid" || true
    fi
    rm -rf "$tmp"
}
trap finish EXIT

XDG_RUNTIME_DIR=$tmp timeout 90 weston --backend=headless-backend.so --socket="$socket" \
    --idle-time=0 --no-config --log="$tmp/weston.log" >/dev/null 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    [ -S "$tmp/$socket" ] && break
    kill -0 "$weston_pid" 2>/dev/null || break
    sleep 0.1
done
if [ ! -S "$tmp/$socket" ]; then
    echo "FAIL: weston did not open its socket"
    cat "$tmp/weston.log"
    exit 1
fi

# Qt's Wayland plugin (6.4) never destroys the proxies of the compositor's globals at exit.
# libwayland allocates them, and without frame pointers their stacks end there; the program
# itself never calls that library, so what it holds at exit is the toolkit's.
{ cat "$source/tests/lsan.supp" 2>/dev/null || true; echo 'leak:libwayland-client.so'; } \
    >"$tmp/lsan.supp"

status=0
env -u DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORMTHEME \
    XDG_RUNTIME_DIR="$tmp" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
    XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config" \
    KESTRIX_STARTUP_PROBE=1 WAYLAND_DEBUG=client \
    LSAN_OPTIONS="suppressions=$tmp/lsan.supp:print_suppressions=0" \
    timeout 60 "$kestrix" --simulate >"$tmp/out" 2>"$tmp/err" || status=$?

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
[ "$status" = 0 ] || fail "Kestrix ended with status $status (124: it never quit)"
grep -Eq '^KESTRIX_STARTUP_PROBE first_paint monotonic_ns=[0-9]+ ' "$tmp/err" ||
    fail "the main window was never painted"
# The messages libwayland logs for this client are the proof it was on Wayland at all.
entry=$(basename "$(ls "$source"/resources/desktop/*.desktop)" .desktop)
grep -Eq "xdg_toplevel@[0-9]+\.set_app_id\(\"$entry\"\)" "$tmp/err" ||
    fail "no Wayland toplevel with app id '$entry': $(grep -o 'set_app_id(.*)' "$tmp/err" || true)"
grep -Eq 'wl_surface@[0-9]+\.attach\(wl_buffer@' "$tmp/err" ||
    fail "no painted buffer reached the compositor"

if [ "$failures" != 0 ]; then
    echo "--- Kestrix's stderr, protocol messages left out:"
    grep -Ev '^\[ *[0-9]+\.[0-9]+\] ' "$tmp/err" || true
    exit 1
fi
sed -En 's/^KESTRIX_STARTUP_PROBE first_paint .*since_start_ms=([0-9.-]+).*/painted after \1 ms/p' \
    "$tmp/err"
