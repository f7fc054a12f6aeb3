#!/usr/bin/env bash
# The manual pages format without a warning, and kestrix-cli(1) keeps up with the program: every
# command, profile action, setting and long option that `kestrix-cli --help` lists has its entry.
# usage: manual_pages_test.sh MAN_DIR KESTRIX_CLI
set -uo pipefail
man_dir=$1 cli=$2

for tool in man groff; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for page in kestrix-cli.1 Kestrix.1; do
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l \
        "$man_dir/$page" 2>&1 >/dev/null) || fail "$page: man exits $?"
    [ -z "$warnings" ] || fail "$page: $warnings"
done

help=$("$cli" --help) || fail "kestrix-cli --help exits $?"
page=$(<"$man_dir/kestrix-cli.1")
commands=$(sed -n '/^commands:/,$s/^  \([a-z-]*\).*/\1/p' <<<"$help")
[ -n "$commands" ] || fail "no commands in kestrix-cli --help"
# Profile actions and setting names as the help's summaries list them ("palette1..7": palette1).
actions=$(sed -n 's/^  profile .*  \(list |.*\)/\1/p' <<<"$help" | tr '|' '\n' | awk '{print $1}')
settings=$(sed -n 's/^  set .*settings: //p' <<<"$help" | tr ',' '\n' |
    sed 's/ *\([a-z0-9-]*\).*/\1/')
[[ -n $actions && -n $settings ]] || fail "no profile actions or settings in --help"

# Each of these must open an entry (.B, .BI, .BR at the start of a line), in roff's \- spelling.
for item in $commands $actions $settings; do
    grep -qE "^\.B[IR]? \"?${item//-/\\\\-}( |\"|$)" <<<"$page" ||
        fail "kestrix-cli.1 has no entry for $item"
done
# --help and --version by name, so that the page keeps them even if the usage text drops them.
options=$({ grep -oE -- '--[a-z][a-z-]*' <<<"$help"; echo --help; echo --version; } | sort -u)
for option in $options; do
    grep -qF -- "${option//-/\\-}" <<<"$page" || fail "kestrix-cli.1 does not mention $option"
done

[ "$failures" = 0 ] || exit 1
echo "manual pages: clean, and kestrix-cli.1 covers every command and option"
