#!/usr/bin/env bash
# Builds the logic and its unit tests with AddressSanitizer and
# UndefinedBehaviorSanitizer (a second build in build-sanitize) and runs them:
# any report fails.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-sanitize -DRUVO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug > /dev/null
cmake --build build-sanitize --target ruvo_unit_tests -j "$(nproc)" > /dev/null
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
build-sanitize/tests/ruvo_unit_tests --gtest_brief=1
