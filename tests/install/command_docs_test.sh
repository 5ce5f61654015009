#!/bin/bash
# kestrelctl's usage text, its man page and its bash completion name the same
# commands and options, and the completion offers them where a user types.
#
#   command_docs_test.sh KESTRELCTL MAN-PAGE COMPLETION
#
# Skipped (exit 77) when bash-completion is missing.
set -u
KESTRELCTL=$1
MAN_PAGE=$2
COMPLETION=$3
BASH_COMPLETION=/usr/share/bash-completion/bash_completion
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

USAGE=$("$KESTRELCTL" --help) || { echo "FAIL: kestrelctl --help failed" >&2; exit 1; }
COMMANDS=$(echo "$USAGE" | sed -n '/^commands:/,/^$/s/^  \([a-z]\+\).*/\1/p')
OPTIONS=$(echo "$USAGE" | grep -o -- '--[a-z][a-z-]*[a-z]\|-[a-z]\b' | sort -u)
[ -n "$COMMANDS" ] || { echo "FAIL: no commands in the usage text" >&2; exit 1; }

# The man page: every command is a heading of its own, every option is named.
MAN_TEXT=$(sed 's/\\-/-/g; s/\\f[BIR]//g' "$MAN_PAGE")
for command in $COMMANDS; do
    echo "$MAN_TEXT" | grep -q "^\.B[I]\? \"\?$command\b" || fail "the man page does not describe $command"
done
for option in $OPTIONS; do
    echo "$MAN_TEXT" | grep -q -- "$option\b" || fail "the man page does not name $option"
done

[ -f "$BASH_COMPLETION" ] || { echo "SKIP: bash-completion is missing"; exit 77; }
# shellcheck source=/dev/null
. "$BASH_COMPLETION"
# shellcheck source=/dev/null
. "$COMPLETION"

# What the completion offers for the words typed so far (the last one being completed).
offered() {
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMP_LINE="$*"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _kestrelctl kestrelctl "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}"
}

for command in $COMMANDS; do
    offered kestrelctl "" | grep -qxF "$command" || fail "the completion does not offer $command"
    offered kestrelctl --simulate "" | grep -qxF "$command" ||
        fail "the completion does not offer $command after an option"
done
for option in $OPTIONS; do
    offered kestrelctl "${option:0:2}" | grep -q -- "^$option=\?$" || fail "the completion does not offer $option"
done
[ "$(offered kestrelctl --sensor "" | tr '\n' ' ')" = "0 1 2 3 " ] || fail "the completion does not offer sensor types"

# Files after the commands that take them, from the folder being typed in.
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
touch "$WORK/profile.json"
cd "$WORK" || exit 1
for command in apply compose export import diff descriptor; do
    offered kestrelctl "$command" "" | grep -qxF profile.json || fail "no file offered after $command"
done
offered kestrelctl diff profile.json "" | grep -qxF profile.json || fail "no second file offered to diff"
offered kestrelctl import profile.json --to "" | grep -qxF profile.json || fail "no file offered after --to"
[ -z "$(offered kestrelctl show "")" ] || fail "show takes no file, yet something was offered"

[ "$failures" -eq 0 ] || exit 1
echo "usage text, man page and completion agree"
