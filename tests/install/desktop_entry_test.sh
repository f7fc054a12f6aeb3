#!/usr/bin/env bash
# The desktop entry passes desktop-file-validate without errors or warnings, and carries what
# software centres and menus search: a category and keywords.
# usage: desktop_entry_test.sh DESKTOP_FILE
set -euo pipefail
entry=$1
command -v desktop-file-validate >/dev/null || {
    echo "skipped: desktop-file-validate is missing"
    exit 77
}
report=$(desktop-file-validate "$entry" 2>&1) || { echo "$report"; exit 1; }
# Hints are advice on taste; errors and warnings are not.
if grep -Ev '^\s*$|: hint: ' <<<"$report"; then exit 1; fi
for key in Categories Keywords GenericName Comment; do
    grep -q "^$key=." "$entry" || { echo "FAIL: no $key"; exit 1; }
done
echo "ok"
