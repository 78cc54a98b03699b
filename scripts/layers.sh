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
#   adapters  Qt, libmpv and Linux implementations      adapters/qt/ adapters/mpv/ adapters/linux/
# The composition, composition/ (the program's entry and its wiring), puts them
# all together and sits above every layer.
# Exit status 1 when an include reaches up. Usage: scripts/layers.sh [--check]
# (--check, as the build runs it: only what reaches up is printed).
set -euo pipefail
cd "$(dirname "$0")/.."

layer_of() {
    case $1 in
        base/*) echo 0 ;;
        config/*) echo 1 ;;
        adapters/*) echo 11 ;;
        platform/*) echo 2 ;;
        view/*) echo 3 ;;
        promo/*) echo 4 ;;
        settings/*) echo 5 ;;
        history/*) echo 6 ;;
        playback/*) echo 7 ;;
        portal/*) echo 8 ;;
        shell/*) echo 9 ;;
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
done < <(find base config platform view history shell playback portal settings promo app adapters -name '*.h' -o -name '*.cpp' |
    sort)

[ "${1:-}" = --check ] && exit $((upward > 0))

# Code lines without their // comments.
logic_files() { find view promo settings history playback portal shell app -name '*.h' -o -name '*.cpp' | sort; }

# The logic reads what shows from its own view, never from the screen: the
# screen port has no getter but for places, and no control's text is searched.
screen_port=$(sed -n '/^class WindowScreen/,/^};/p' platform/WindowControls.h)
port_reads=$(echo "$screen_port" | grep -E 'virtual [^(]*\b(Text|IsVisible|Tooltip)\(' | grep -c . || true)
text_searches=$(logic_files | xargs grep -hE 'Contains\([^;]*\.Text\(' | grep -c . || true)
echo "widget reads used as state: $((port_reads + text_searches))"

# Nor does it read its own record of the window back as state: what plays,
# what shows and what a label says are kept by the parts that decide them
# (the player area, the frame, the adverts). A read is a call of the view's
# shape, a getter with a control's name.
view_getters=$(sed -n '/^class WindowView/,/^};/p' view/WindowView.h | grep -cE '\b(Text|IsVisible|Tooltip)\(ControlId' || true)
view_reads=$(logic_files | xargs grep -hE '\.(IsVisible|Text|Tooltip)\(\{ControlName::' | grep -c . || true)
echo "reads of the view's record used as state: $((view_getters + view_reads))"

# What plays is drawn in values (seconds, per mille, percent); the window
# turns them into pixels. A place read or set in playback/ is one too many.
pixel_calls=$(grep -rhE '\b(Geometry|Move)\(\{|\b(MoveLeftEdge|PlaceHorizontally|SeekTrackSizesOf)\(|\bRect\b' playback/ | grep -c . || true)
echo "places read or set by the playing logic: $pixel_calls"

# Events reach the logic by control, not by a widget's object name.
name_routing=$(find adapters/qt -name '*.cpp' | xargs grep -h 'objectName()' | grep -vc 'qPrintable(objectName())' || true)
echo "object-name comparisons in event routing: $name_routing"

# The design's short names live on only where they are a contract: the
# trace's names and lines (app/TraceLog.*, the panes' names in portal/Panes.h
# and lines traced elsewhere), the settings keys (config/SettingsKeys.h), the
# local channel's name and greeting a running copy answers (app/InstanceMessage.h,
# adapters/qt/LocalInstanceChannel.cpp), and the portal's and the lists'
# "qvod" play kind.
short_names='ppt|zhun|bo_name|qk|jbi|qvod|Pic[1-4]|pso|w1|w5|P[3-5]|BAD|ad_huan|adp|bo_ad|bo_zt|next_s|gunt1?|huan|npc|bo_but|soso|yin|bo_v|bo_y|p1|bo_tip|zz|l[2-5]|L1|shan|bo_foot|qvodx|QvodC|ni_name|Im1|ggx|soimg|sok|Web[1-8]|Webso|BA[13]|ba4|adsb|Check1'
# Comments count too: a newcomer reads them first.
short=$(find base config platform view promo settings history playback portal shell app adapters composition -name '*.h' -o -name '*.cpp' |
    grep -vE '^(app/TraceLog\.(h|cpp)|config/SettingsKeys\.h|portal/Panes\.h|app/InstanceMessage\.h|adapters/qt/LocalInstanceChannel\.(h|cpp))$' |
    sort | while IFS= read -r file; do
        sed -e 's|"qvod"||g' -e 's|qvod://||g' "$file" | grep -nwE "$short_names" | grep -v 'trace\.Line(' | sed "s|^|  $file:|" || true
    done)
echo "lines with the design's short names outside the contracts, comments included: $(echo -n "$short" | grep -c . || true)"
[ -z "$short" ] || echo "$short"
window_users=$(grep -rl --include='*.h' --include='*.cpp' '#include "app/MainWindow.h"' . | grep -v '^./build' | sort)
echo "includes reaching up a layer: $upward"
echo "files including the main window's type: $(echo "$window_users" | grep -c .)"
echo "$window_users" | sed 's|^\./|  |'
[ "$upward" -eq 0 ]
