#!/usr/bin/env bash
# Both programs answer --version, and the window program --help, from the project's version and
# without a display: no X server, no Wayland compositor, and a toolkit told to use one.
# usage: version_test.sh KESTRIX_CLI KESTRIX VERSION
set -euo pipefail
cli=$1 window=$2 version=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# xcb with no DISPLAY aborts as soon as the toolkit starts, so an answer proves it did not.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb)
for program in "$cli" "$window"; do
    name=$(basename "$program")
    output=$("${no_display[@]}" "$program" --version 2>&1) || fail "$name --version failed: $output"
    [ "$(head -n1 <<<"$output")" = "$name (Talvex) $version" ] ||
        fail "$name --version printed: $output"
    grep -q 'GPL-3.0-or-later' <<<"$output" || fail "$name --version states no licence"
done
for arguments in "--help" "-platform xcb --help" "--simulate --version"; do
    # shellcheck disable=SC2086
    output=$("${no_display[@]}" "$window" $arguments 2>&1) || fail "Kestrix $arguments failed: $output"
done
"${no_display[@]}" "$window" --help | grep -q -- '--simulate' || fail "Kestrix --help lists no options"
((failures == 0)) && echo "ok"
