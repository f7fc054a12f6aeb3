#!/usr/bin/env bash
# lintian finds no error in the package install.debian_package built, and every warning it
# still gives is one the README lists with its reason (its "Lintian" section), so none slips in
# unexplained.
# usage: lintian_test.sh PACKAGE_DIR SOURCE_DIR
set -euo pipefail
packages=$1 source=$2
command -v lintian >/dev/null || { echo "skipped: lintian is missing"; exit 77; }
deb=$(find "$packages" -maxdepth 1 -name '*.deb' 2>/dev/null | head -n1 || true)
# install.debian_package builds it; when that test was skipped, its reason says why.
[ -n "$deb" ] || { echo "skipped: install.debian_package built no package in $packages"; exit 77; }

# As root lintian says it should not be; that notice is not about the package.
report=$(lintian --fail-on none --no-tag-display-limit "$deb" 2>&1 |
    grep -v 'running with root privileges is not recommended' || true)
echo "$report"
failures=0
if grep -q '^E: ' <<<"$report"; then
    echo "FAIL: lintian reports errors"
    failures=1
fi
explained=$(sed -n '/^### Lintian/,/^##/p' "$source/README.md")
while read -r tag; do
    grep -qF -- "\`$tag\`" <<<"$explained" || {
        echo "FAIL: warning $tag is not explained in the README's Lintian section"
        failures=1
    }
done < <(sed -n 's/^W: [^:]*: \([^ ]*\).*/\1/p' <<<"$report" | sort -u)
((failures == 0)) && echo "ok"
