#!/usr/bin/env bash
# Installs the packages, builds the program and the demo portal (not the
# tests), and starts the program on the demo portal, which the program starts
# itself: the demo's media is made on the first run, with the progress in the
# status line. The portal ends with the program. The program keeps its files
# in ~/.local/share/ruvo-box-demo unless RUVO_HOME says otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
log=$(mktemp)
trap 'rm -f "$log"' EXIT
echo "Building Ruvo影视盒 (a few minutes the first time)..."
# The build's own percentages, on one line; the whole output only on failure.
show_progress() {
    sed -un 's/^\[ *\([0-9]*\)%\].*/\1/p' | while read -r percent; do printf '\r  %3s%%' "$percent"; done
}
if ! { cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
       cmake --build build -j"$(nproc)" --target ruvo-box ruvo-demo-portal; } 2>&1 | tee "$log" | show_progress; then
    echo
    cat "$log" >&2
    exit 1
fi
echo
export RUVO_HOME="${RUVO_HOME:-$HOME/.local/share/ruvo-box-demo}"
mkdir -p "$RUVO_HOME"
# Qt WebEngine refuses to run as root unless its sandbox is off.
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
echo "Ruvo影视盒 on the demo portal ${RUVO_PORTAL:-http://127.0.0.1:8790/box/}: close its window or press Ctrl+C here to stop."
rm -f "$log"
exec build/ruvo-box "$@"
