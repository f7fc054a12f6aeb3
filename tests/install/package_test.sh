#!/usr/bin/env bash
# Builds the Debian package from this build's install rules and checks what it holds: the two
# programs (stripped), the skin, VER.bin, the udev rule, the desktop entry and icons, the
# metainfo, the manual pages, the shell completion, the copyright file and changelog, the
# declared dependencies and the script that applies the rule. The package is left in
# BINARY_DIR/package-test for the lintian test.
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

out=$build/package-test
rm -rf "$out"
mkdir -p "$out"
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
entry_path=$(cd "$source/resources/desktop" && ls ./*.desktop)
entry_path=./usr/share/applications/${entry_path#./}
for path in ./usr/bin/Kestrix ./usr/bin/kestrix-cli ./usr/share/kestrix/VER.bin \
    ./usr/share/kestrix/png/SplashScreen.png ./usr/lib/udev/rules.d/70-kestrix.rules \
    "$entry_path" ./usr/share/man/man1/Kestrix.1.gz ./usr/share/man/man1/kestrix-cli.1.gz \
    ./usr/share/bash-completion/completions/kestrix-cli ./usr/share/doc/kestrix/copyright \
    ./usr/share/doc/kestrix/changelog.gz; do
    grep -qxF "$path" <<<"$contents" || fail "$path is not in the package"
done
grep -qx '\./usr/share/metainfo/.*\.metainfo\.xml' <<<"$contents" || fail "no metainfo in the package"
for size in 16 24 32 48 64 128 256; do
    icon=./usr/share/icons/hicolor/${size}x${size}/apps/kestrix.png
    grep -qxF "$icon" <<<"$contents" || fail "$icon is not in the package"
done
# The desktop entry must start a packed program and name a packed icon.
entry=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO "$entry_path")
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

# Shipped without debug symbols: the sections `file` reports as "not stripped".
unpacked=$out/unpacked
dpkg-deb -x "$deb" "$unpacked"
for program in Kestrix kestrix-cli; do
    file "$unpacked/usr/bin/$program" | grep -q ', stripped' || fail "$program is not stripped"
done

if ((failures)); then
    dpkg-deb -c "$deb"
    exit 1
fi
echo "ok: $(basename "$deb")"
