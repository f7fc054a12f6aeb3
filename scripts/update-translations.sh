#!/usr/bin/env bash
# Refreshes translations/*.ts from the texts marked TALVEX_TEXT under src/ (lupdate keeps the
# translations already made). New texts come in unfinished: translate them in Qt Linguist or in
# the file, then drop type="unfinished". The CTest translations.english_is_complete fails until then.
set -euo pipefail
cd "$(dirname "$0")/.."
LUPDATE=${LUPDATE:-$(command -v lupdate6 || command -v /usr/lib/qt6/bin/lupdate || echo lupdate)}
mkdir -p translations
# Id-based messages have no separate source text; lupdate says so once per message.
"$LUPDATE" -tr-function-alias QT_TRID_NOOP+=TALVEX_TEXT -locations none -no-obsolete \
    -extensions cpp,h src -ts translations/talvex_en.ts 2>&1 | grep -v "has no source" || true
