#!/usr/bin/env bash
# The project states one licence, GPL-3.0-or-later, everywhere a user or a distribution looks:
# the LICENSE file, the package's copyright file and what --version prints.
# usage: licence_test.sh SOURCE_DIR KESTRIX_CLI
set -euo pipefail
source=$1 cli=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

grep -q 'GNU GENERAL PUBLIC LICENSE' "$source/LICENSE" &&
    grep -q 'Version 3, 29 June 2007' "$source/LICENSE" || fail "LICENSE is not the GPL version 3"
copyright=$source/resources/debian/copyright
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$copyright" || fail "the copyright file is not machine-readable"
# Every licence the copyright file names is the one the project is under.
licences=$(sed -n 's/^License: *//p' "$copyright" | sort -u)
[ "$licences" = "GPL-3.0-or-later" ] || fail "the copyright file names: $licences"
"$cli" --version | grep -q 'GPL-3.0-or-later' || fail "kestrix-cli --version states no licence"
((failures == 0)) && echo "ok"
