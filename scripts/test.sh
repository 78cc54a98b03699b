#!/usr/bin/env bash
# Installs, builds and runs every test. Tests with windows run under Xvfb.
# Arguments go to ctest (for example -R Layout); RUVO_FUZZ_SECONDS sets the
# time each fuzz target runs (15 s).
#   scripts/test.sh --fast   builds and runs the unit and Qt tests only, in
#                            parallel (the packages must be installed already)
set -euo pipefail
cd "$(dirname "$0")/.."
fast=false
if [ "${1:-}" = --fast ]; then
    fast=true
    shift
else
    scripts/install-deps.sh
fi
scripts/build.sh
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"
if $fast; then
    (cd build && xvfb-run -a -s "-screen 0 1600x1000x24" ctest -L 'unit|qt' -j"$(nproc)" --output-on-failure "$@")
    exit
fi
(cd build && xvfb-run -a -s "-screen 0 1600x1000x24" ctest --output-on-failure "$@")
# The unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and every fuzz target for a short while on its corpus.
scripts/sanitize.sh
scripts/fuzz.sh -max_total_time=${RUVO_FUZZ_SECONDS:-15}
