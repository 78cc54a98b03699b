#!/usr/bin/env bash
# Configures and builds everything (program, demo portal, sample media, tests) into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
