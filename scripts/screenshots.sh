#!/usr/bin/env bash
# Refreshes the pictures in docs/screenshots: the main window at its default
# size, maximised, with each panel hidden, in compact mode, the settings
# dialog and both promotional windows. Runs the program on the demo portal on
# a private Xvfb display with openbox; needs a build (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
out=docs/screenshots
mkdir -p "$out"
display=:$((90 + RANDOM % 100))
work=$(mktemp -d)
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT

Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp > /dev/null 2>&1 & pids+=($!)
export DISPLAY=$display
sleep 1
openbox --sm-disable > /dev/null 2>&1 & pids+=($!)
# The update file switches the floating advertisement and the recommendation at exit on.
build/demo/ruvo-demo-portal --media build/demo-media --wen 1====1====1====1====1.0 > "$work/portal.log" 2>&1 & pids+=($!)
for _ in $(seq 50); do [ -s "$work/portal.log" ] && break; sleep 0.1; done
base=$(head -n 1 "$work/portal.log")

export RUVO_PORTAL=$base RUVO_HOME=$work/home RUVO_TRACE=$work/trace.log
export XDG_RUNTIME_DIR=$work/runtime QTWEBENGINE_CHROMIUM_FLAGS=${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}
mkdir -p "$RUVO_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
build/ruvo-box > "$work/program.log" 2>&1 & pids+=($!)

window() { xdotool search --onlyvisible --name '^Ruvo电影影视盒$' | head -n 1; }
for _ in $(seq 100); do [ -n "$(window)" ] && break; sleep 0.2; done
sleep 8  # the portal's pages load
win=$(window)

# The value of one line of `xwininfo -frame` for window $1.
info() { xwininfo -frame -id "$1" | sed -n "s/.*$2: *\(-\?[0-9]*\).*/\1/p"; }
# Captures the screen rectangle of window $1 with its decoration (or the
# rectangle x,y,w,h of the screen given as $1) into $2.
shot() {
    local x y w h
    xdotool mousemove 1599 999  # the pointer out of the picture
    sleep 0.3
    if [[ "$1" == *,*,*,* ]]; then IFS=, read -r x y w h <<< "$1"
    else x=$(info "$1" "Absolute upper-left X") y=$(info "$1" "Absolute upper-left Y") w=$(info "$1" Width) h=$(info "$1" Height); fi
    ffmpeg -loglevel error -y -f x11grab -video_size "${w}x${h}" -i "$display+$x,$y" -frames:v 1 "$out/$2.png"
    echo "$out/$2.png"
}
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep "${3:-1.5}"; }
place() { grep -o "place $1=[0-9,]*" "$work/trace.log" | tail -n 1 | cut -d= -f2; }
width() { eval "$(xdotool getwindowgeometry --shell "$win")"; echo "$WIDTH"; }

shot "$win" main-window
xdotool mousemove --window "$win" 400 15 click --repeat 2 --delay 80 1; sleep 2
shot 0,0,1600,1000 maximised
xdotool mousemove --window "$win" 400 15 click --repeat 2 --delay 80 1; sleep 2

click 238 47                      # the left panel's toggle
shot "$win" left-panel-hidden
click 21 47                       # and back
click $(( $(width) - 248 )) 47    # the right panel's toggle
shot "$win" right-panel-hidden
click $(( $(width) - 21 )) 47

IFS=, read -r cx cy _ _ <<< "$(place npc3)"
click $((cx + 12)) $((cy + 12)) 2
shot "$win" compact-mode
click $(( $(width) - 14 )) 9 2

IFS=, read -r mx my _ _ <<< "$(place npc5)"
click $((mx + 12)) $((my + 12)) 1
click $((mx - 15 + 30)) $((my + 20 + 12)) 2   # "软件设置", the menu's first entry
dialog=$(xdotool search --onlyvisible --name '^软件设置$' | head -n 1)
[ -n "$dialog" ] && shot "$dialog" settings-dialog && xdotool key --window "$dialog" Escape
sleep 1

# The floating advertisement rises 20 s after the update check (6 s after start).
sleep 20
# 300 × 250 pixels, 5 from the screen's right edge and 30 from its bottom.
shot 1295,720,300,250 floating-ad

# Closing with "quit" = 1 exits and shows the recommendation window.
sed -i 's/^ts=.*/ts=1\r/; s/^quit=.*/quit=1\r/' "$RUVO_HOME/config.dll"
IFS=, read -r kx ky _ _ <<< "$(place npc2)"
click $((kx + 12)) $((ky + 12)) 3
shot 650,376,299,247 recommendation  # centred
