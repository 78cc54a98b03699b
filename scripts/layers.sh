#!/usr/bin/env bash
# Lists every #include that reaches up a layer, and how many files include
# the main window's type. Layers, lowest first; a file may include its own
# layer and those below:
#   base      text, numbers, encodings                  base/
#   config    settings store and keys, program places,  config/
#             clock, trace
#   ports     interfaces to the outside (headers only)  platform/*.h
#   view      what the window shows, as the logic keeps it  view/
#   features  promo, settings, history, playback,       promo/ settings/ history/
#             portal, shell, in that order: each may     playback/ portal/ shell/
#             include the features before it
#   app       composition, exit, update, command line   app/
#   adapters  Qt, libmpv and Linux implementations      platform/qt/ platform/mpv/ platform/linux/
# The program's entry, app/main.cpp, wires them all and sits above every layer.
# Exit status 1 when an include reaches up. Usage: scripts/layers.sh [--check]
# (--check, as the build runs it: only what reaches up is printed).
set -euo pipefail
cd "$(dirname "$0")/.."

layer_of() {
    case $1 in
        base/*) echo 0 ;;
        config/*) echo 1 ;;
        platform/qt/* | platform/mpv/* | platform/linux/*) echo 11 ;;
        platform/*) echo 2 ;;
        view/*) echo 3 ;;
        promo/*) echo 4 ;;
        settings/*) echo 5 ;;
        history/*) echo 6 ;;
        playback/*) echo 7 ;;
        portal/*) echo 8 ;;
        shell/*) echo 9 ;;
        app/main.cpp) echo "" ;;
        app/*) echo 10 ;;
        *) echo "" ;;
    esac
}
names=(base config ports view promo settings history playback portal shell app adapters)

upward=0
while IFS= read -r file; do
    from=$(layer_of "$file")
    [ -n "$from" ] || continue
    while IFS= read -r included; do
        to=$(layer_of "$included")
        [ -n "$to" ] || continue
        if [ "$to" -gt "$from" ]; then
            echo "$file (${names[$from]}) includes $included (${names[$to]})" >&2
            upward=$((upward + 1))
        fi
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find base config platform view history shell playback portal settings promo app -name '*.h' -o -name '*.cpp' |
    sort)

[ "${1:-}" = --check ] && exit $((upward > 0))
window_users=$(grep -rl --include='*.h' --include='*.cpp' '#include "app/MainWindow.h"' . | grep -v '^./build' | sort)
echo "includes reaching up a layer: $upward"
echo "files including the main window's type: $(echo "$window_users" | grep -c .)"
echo "$window_users" | sed 's|^\./|  |'
[ "$upward" -eq 0 ]
