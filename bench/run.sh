#!/usr/bin/env bash
# Runs every benchmark against the demo portal and prints the table.
# Usage: bench/run.sh [build folder]   (windows run under Xvfb)
set -euo pipefail
build=${1:-build}
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"
echo "| measure | program | reference | ratio | target |"
echo "|---|---|---|---|---|"
for bench in first_frame episode_gap playing_cpu layout_pass history_ops startup_time startup_memory lookup_wait episode_memory skip_timing skip_accuracy; do
  xvfb-run -a -s "-screen 0 1600x1000x24" "$build/bench/bench_$bench" 2>/dev/null || echo "| $bench | failed | | | |"
done
