#!/bin/sh
# Runs every fuzz target for SECONDS each (default 25) from its seed corpus.
# usage: fuzz/run_all.sh BUILD_DIR [SECONDS]
# New inputs go to a scratch corpus, so the committed seeds stay as they are;
# a crashing input is kept in BUILD_DIR/fuzz-artifacts and the script fails.
set -eu
build=$1
seconds=${2:-25}
here=$(cd "$(dirname "$0")" && pwd)
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for seeds in "$here"/corpus/*/; do
    name=$(basename "$seeds")
    mkdir -p "$work/$name"
    # Profiles get room for deep nesting and many keys; the rest keep the default length.
    case $name in
        profile) max_len=-max_len=131072 ;;
        *) max_len= ;;
    esac
    echo "== fuzz_$name for ${seconds}s"
    # shellcheck disable=SC2086
    "$build/bin/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 $max_len \
        -artifact_prefix="$artifacts/$name-" "$work/$name" "$seeds" 2>"$work/$name.log" || {
        tail -n 60 "$work/$name.log"
        echo "fuzz_$name failed; the input is in $artifacts" >&2
        exit 1
    }
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$work/$name.log" || true
done
