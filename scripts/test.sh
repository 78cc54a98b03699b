#!/usr/bin/env bash
# Installs, builds and runs every test. Tests with windows run under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"
cd build
xvfb-run -a -s "-screen 0 1600x1000x24" ctest --output-on-failure "$@"
