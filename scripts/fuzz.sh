#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each on its corpus in fuzz/corpus.
# Usage: scripts/fuzz.sh [-runs=N | -max_total_time=S] [-fork=J] (default: 10 million
# runs each; -fork=J spreads a target's runs over J processes that share its corpus)
# New inputs that reach new code go to build-fuzz/corpus/<target> (merge them
# into the kept corpus with `fuzz_<target> -merge=1 fuzz/corpus/<target>
# build-fuzz/corpus/<target>`); a finding stops the script with the crashing
# input under build-fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
limits=("$@")
[ ${#limits[@]} -gt 0 ] || limits=(-runs=10000000)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DRUVO_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build-fuzz -j "$(nproc)" > /dev/null
mkdir -p build-fuzz/findings
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in settings_file list_files list_edits link_dispatcher episode_reply update_file js_escape gb18030 \
              instance_message player_config link_recovery media_names; do
    mkdir -p "build-fuzz/corpus/$target"
    start=$(date +%s)
    build-fuzz/fuzz/fuzz_$target "${limits[@]}" -max_len=4096 -timeout=10 -ignore_ooms=0 -ignore_timeouts=0 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/findings/$target-" "build-fuzz/corpus/$target" "fuzz/corpus/$target" \
        2> "build-fuzz/$target.log" ||
        { tail -n 40 "build-fuzz/$target.log"; echo "FINDING in $target" >&2; exit 1; }
    # One process prints its count at the end; forked runs print a running total.
    runs=$( { grep -o 'stat::number_of_executed_units: *[0-9]*' "build-fuzz/$target.log" ||
              grep -o '^#[0-9]*' "build-fuzz/$target.log"; } | tail -n 1 | grep -o '[0-9]*$')
    echo "$target: $runs runs in $(( $(date +%s) - start )) s, no finding, $(ls "build-fuzz/corpus/$target" | wc -l) new inputs"
done
