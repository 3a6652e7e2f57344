#!/usr/bin/env bash
# Runs every fuzz target built in a fuzz build folder for a set time, each on a
# fresh copy of its committed seed corpus, one after the other.
#   fuzz/run-fuzzers.sh BUILD_FOLDER SECONDS
# A finding stops the run: the input that found it is kept in
# BUILD_FOLDER/findings/ and the script fails.
set -euo pipefail

build="${1:?usage: run-fuzzers.sh BUILD_FOLDER SECONDS}"
seconds="${2:-60}"
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "$build" && pwd)"

export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_string_checks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"

mkdir -p "$build/findings"
while read -r target; do
    [ -n "$target" ] || continue
    seeds="$here/corpus/$target"
    work="$build/corpus-run/$target"
    rm -rf "$work"
    mkdir -p "$work"
    if [ -d "$seeds" ]; then
        cp "$seeds"/* "$work"/
    fi
    # Import files are account lines too.
    dict_name="$target"
    [ "$target" = fuzz_import_walk ] && dict_name=fuzz_account_line
    dict=()
    if [ -f "$here/dict/$dict_name.dict" ]; then
        dict=(-dict="$here/dict/$dict_name.dict")
    fi
    echo "== $target: ${seconds} s"
    "$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
        -print_final_stats=1 -artifact_prefix="$build/findings/$target-" "${dict[@]}" "$work"
done <"$build/fuzzers.txt"
