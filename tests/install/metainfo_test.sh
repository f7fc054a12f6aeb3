#!/usr/bin/env bash
# The AppStream metainfo passes appstreamcli's validation as built (no web address) and as built
# with one, names the keyboard it supports, the release of this version and the licence, and
# names screenshots only when there is an address to serve them.
# usage: metainfo_test.sh METAINFO_FILE SOURCE_DIR VERSION RELEASE_DATE APP_ID
set -euo pipefail
built=$1 source=$2 version=$3 date=$4 app_id=$5
command -v appstreamcli >/dev/null || { echo "skipped: appstreamcli is missing"; exit 77; }

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
with_address=$out/$app_id.metainfo.xml
cmake -DMETAINFO_OUT="$with_address" -DSOURCE_DIR="$source" -DAPP_ID="$app_id" \
    -DVERSION="$version" -DRELEASE_DATE="$date" -DWEB_ADDRESS="https://www.example.com/" \
    -P "$source/cmake/TalvexMetainfo.cmake"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
for file in "$built" "$with_address"; do
    appstreamcli validate --no-net --pedantic --explain "$file" || fail "$file does not validate"
    for expected in '<modalias>usb:v04D9pA129d\*</modalias>' \
        "<release version=\"$version\" date=\"$date\">" \
        '<project_license>GPL-3.0-or-later</project_license>' \
        "<launchable type=\"desktop-id\">$app_id.desktop</launchable>"; do
        grep -q "$expected" "$file" || fail "$file lacks $expected"
    done
done
grep -q '<screenshot' "$built" && fail "screenshots without a web address to serve them"
grep -q '<image>https://www.example.com/screenshots/' "$with_address" ||
    fail "no screenshot under the web address"

# The release the metainfo names is the changelog's newest entry.
if command -v dpkg-parsechangelog >/dev/null; then
    changelog=$source/resources/debian/changelog
    [ "$(dpkg-parsechangelog -l "$changelog" -S Version)" = "$version" ] ||
        fail "the changelog's newest version is not $version"
    stamp=$(dpkg-parsechangelog -l "$changelog" -S Timestamp)
    [ "$(date -u -d "@$stamp" +%F)" = "$date" ] || fail "the changelog's newest entry is not of $date"
fi
((failures == 0)) && echo "ok"
