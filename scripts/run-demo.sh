#!/usr/bin/env bash
# Installs, builds, starts the demo portal and the program on it. The portal
# stops when the program ends. The program keeps its files in
# ~/.local/share/ruvo-box-demo unless RUVO_HOME says otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
port=${RUVO_DEMO_PORT:-8790}
log=$(mktemp)
build/demo/ruvo-demo-portal --port "$port" --media build/demo-media > "$log" 2>&1 &
portal_pid=$!
trap 'kill $portal_pid 2>/dev/null || true; rm -f "$log"' EXIT
trap 'exit 130' INT TERM  # the portal stops with the script however it ends
for _ in $(seq 50); do [ -s "$log" ] && break; sleep 0.1; done
base=$(head -n 1 "$log")
case "$base" in http://*) ;; *) echo "the demo portal did not start: $(cat "$log")" >&2; exit 1 ;; esac
echo "demo portal: $base"
export RUVO_PORTAL="$base"
export RUVO_HOME="${RUVO_HOME:-$HOME/.local/share/ruvo-box-demo}"
mkdir -p "$RUVO_HOME"
# Qt WebEngine refuses to run as root unless its sandbox is off.
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
build/ruvo-box "$@"
