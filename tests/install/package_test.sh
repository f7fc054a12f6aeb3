#!/usr/bin/env bash
# Builds the Debian package from this build's install rules and checks what it holds: the two
# programs, the skin, VER.bin, the udev rule, the desktop entry and icons, the declared
# dependencies and the script that applies the rule.
# usage: package_test.sh CPACK BINARY_DIR SOURCE_DIR
# Exit 77 (skipped) where Debian's tools are missing or the program has not been built.
set -euo pipefail
cpack=$1 build=$2 source=$3

for tool in dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
for built in Kestrix kestrix-cli png; do
    [ -e "$build/$built" ] || { echo "skipped: $build/$built is not built"; exit 77; }
done

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# cpack installs the build first; gzip keeps the test quick (the release uses the default).
export CMAKE_BUILD_PARALLEL_LEVEL=2
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" \
    -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; exit 1; }
deb=$(find "$out" -maxdepth 1 -name '*.deb')
[ "$(echo "$deb" | wc -l)" = 1 ] && [ -n "$deb" ] || { echo "no single .deb in $out"; exit 1; }

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/Kestrix ./usr/bin/kestrix-cli ./usr/share/kestrix/VER.bin \
    ./usr/share/kestrix/png/SplashScreen.png ./usr/lib/udev/rules.d/70-kestrix.rules \
    ./usr/share/applications/kestrix.desktop; do
    grep -qxF "$path" <<<"$contents" || fail "$path is not in the package"
done
for size in 16 24 32 48 64 128 256; do
    icon=./usr/share/icons/hicolor/${size}x${size}/apps/kestrix.png
    grep -qxF "$icon" <<<"$contents" || fail "$icon is not in the package"
done
# The desktop entry must start a packed program and name a packed icon.
entry=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/kestrix.desktop)
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' <<<"$entry")
icon_name=$(sed -n 's/^Icon=//p' <<<"$entry")
grep -qxF "./usr/bin/$exec_name" <<<"$contents" || fail "desktop entry runs '$exec_name'"
grep -qxF "./usr/share/icons/hicolor/48x48/apps/$icon_name.png" <<<"$contents" ||
    fail "desktop entry names icon '$icon_name'"

built_skin=$(cd "$build" && find png -type f | wc -l)
packed_skin=$(grep -c '^\./usr/share/kestrix/png/.*\.png$' <<<"$contents" || true)
[ "$built_skin" = "$packed_skin" ] || fail "skin: $packed_skin images packed, $built_skin built"

dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/lib/udev/rules.d/70-kestrix.rules |
    cmp -s - "$source/resources/udev/70-kestrix.rules" || fail "the packed udev rule differs"

depends=$(dpkg-deb -f "$deb" Depends)
for dependency in libhidapi-hidraw0 libqt6widgets6 qt6-qpa-plugins fonts-liberation2 \
    fonts-wqy-microhei qt6-translations-l10n; do
    grep -q "$dependency" <<<"$depends" || fail "Depends lacks $dependency: $depends"
done
dpkg-deb -I "$deb" postinst | grep -q 'udevadm trigger' || fail "no postinst applying the rule"

if ((failures)); then
    dpkg-deb -c "$deb"
    exit 1
fi
echo "ok: $(basename "$deb")"
