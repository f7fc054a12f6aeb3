#!/usr/bin/env bash
# The bash completion of kestrix-cli offers what kestrix-cli takes: every command of its --help,
# `set` values and simulator faults it accepts, the profiles of the data folder the line names,
# and file names where a command wants a file, with bash-completion loaded and without it,
# printing nothing while it completes.
# usage: bash_completion_test.sh COMPLETION_FILE KESTRIX_CLI
set -o pipefail
completion=$1 cli=$2
bash_completion=/usr/share/bash-completion/bash_completion
[ -r "$bash_completion" ] || { echo "skipped: bash-completion is missing"; exit 77; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# shellcheck source=/dev/null
source "$completion"
# The builtin works only while readline runs a completion.
compopt() { :; }

# Completes LINE with the cursor at its end, after splitting it as bash does for COMP_WORDS: at
# unquoted blanks, with each run of unquoted = or : a word of its own.
complete_line() {
    local line=$1 word='' quote='' c i run=0 breaks
    COMP_WORDS=()
    for ((i = 0; i < ${#line}; i++)); do
        c=${line:i:1}
        if [[ -z $quote && $c == ' ' ]]; then
            [[ $word ]] && COMP_WORDS+=("$word")
            word='' run=0
            continue
        fi
        [[ -z $quote && $c == [=:] ]] && breaks=1 || breaks=0
        [[ $word && $breaks != "$run" ]] && { COMP_WORDS+=("$word"); word=; }
        run=$breaks word+=$c
        if [[ $c == '\' && $quote != "'" ]]; then
            ((i++))
            word+=${line:i:1}
        elif [[ $c == [\"\'] && (-z $quote || $c == "$quote") ]]; then
            [[ $quote ]] && quote= || quote=$c
        fi
    done
    [[ $word || $line == *' ' ]] && COMP_WORDS+=("$word")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMP_LINE=$line COMP_POINT=${#line}
    COMPREPLY=()
    _kestrix_cli >"$tmp/printed" 2>&1
    [ -s "$tmp/printed" ] && fail "completing '$line' printed: $(<"$tmp/printed")"
}

# Fails unless completing LINE offers each WANTED word.
expect() {
    local line=$1 wanted offered
    complete_line "$line"
    for wanted in "${@:2}"; do
        for offered in "${COMPREPLY[@]}"; do [[ $offered == "$wanted" ]] && continue 2; done
        fail "completing '$line' does not offer '$wanted' (${COMPREPLY[*]})"
    done
}

help=$("$cli" --help) || fail "kestrix-cli --help exits $?"
mapfile -t commands < <(sed -n '/^commands:/,$s/^  \([a-z-]*\).*/\1/p' <<<"$help")
# Offered as the usage spells them: "--trace=" for --trace=FILE, "--simulate" for --simulate[=...].
mapfile -t options < <(grep -oE -- '--[a-z][a-z-]*=?' <<<"$help" | sort -u)
mapfile -t settings < <(sed -n 's/^  set .*settings: //p' <<<"$help" | tr ',' '\n' |
    sed 's/ *\([a-z0-9-]*\).*/\1=/')
# "no-ack:N" is offered as "no-ack:", with the number to follow.
mapfile -t faults < <(sed -n '/^  --simulate-fault=FAULT/,/^  --/p' <<<"$help" | sed '1s/.*://; $d' |
    tr ',' '\n' | sed 's/ //g; s/:N$/:/; /^$/d')
((${#commands[@]} && ${#options[@]} && ${#settings[@]} && ${#faults[@]})) ||
    fail "cannot read the commands, options, settings and faults of kestrix-cli --help"

data="$tmp/data dir" files="$tmp/files"
mkdir -p "$data" "$files/sub" && : >"$files/keymap.bin"
for name in "My Work" Plain; do
    "$cli" --data-folder="$data" profile new "$name" >/dev/null || fail "profile new '$name'"
done
# A seventh profile makes `profile list` warn on stderr, which must not reach the terminal.
mkdir -p "$tmp/seven/Configure"
for n in 1 2 3 4 5 6 7; do cp "$data/Configure/Plain.bin" "$tmp/seven/Configure/P$n.bin"; done
# The line starts with the program under test: the completion asks it for the profiles.
k=${cli// /\\ } folder="--data-folder=${data// /\\ }"

# Run without bash-completion, then with it: files then come from its _filedir.
table() {
    expect "$k " "${commands[@]}"
    expect "$k --" "${options[@]}" --help --version
    expect "$k --format=" binary json
    expect "$k $folder profile load " "My Work" Plain
    expect "$k $folder profile export My" "My Work"
    expect "$k $folder profile import x.json 'My W" "My Work"
    expect "$k --data-folder=$tmp/seven profile copy " P1
    expect "$k --data-folder=/nowhere profile copy "
    for line in "read " "apply " "inspect " "assign " "profile export Plain " "profile import " \
        "--trace=" "--simulate=" "assign k.bin 62 program "; do
        expect "$k $line$files/key" "$files/keymap.bin"
    done
    expect "$k --data-folder=$files/s" "$files/sub"
}
table
# shellcheck source=/dev/null
source "$bash_completion"
table

# Everything offered for `set` and --simulate-fault is taken by kestrix-cli itself.
state="$tmp/keyboard.state"
expect "$k set " "${settings[@]}"
offered_settings=("${COMPREPLY[@]}") pairs=()
for setting in "${offered_settings[@]}"; do
    complete_line "$k set $setting"
    [[ $setting == palette* || ${#COMPREPLY[@]} -gt 0 ]] || fail "nothing offered for $setting"
    pairs+=("${COMPREPLY[@]/#/$setting}")
done
refused=$("$cli" --simulate="$state" set "${pairs[@]}" 2>&1) ||
    fail "kestrix-cli set refuses an offered value: $refused"
expect "$k --simulate-fault=" "${faults[@]}"
for fault in "${COMPREPLY[@]}"; do
    [[ $fault == *: ]] && fault+=1
    "$cli" --simulate="$state" --simulate-fault="$fault" info >/dev/null 2>&1
    [ $? != 2 ] || fail "kestrix-cli refuses the offered --simulate-fault=$fault"
done

[ "$failures" = 0 ] || exit 1
echo "bash completion: offers what kestrix-cli takes"
