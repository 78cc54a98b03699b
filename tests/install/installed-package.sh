#!/usr/bin/env bash
# The Debian package as a new user meets it: built by cpack, checked by
# lintian, appstreamcli and desktop-file-validate, unpacked into a throw-away
# root (its dependencies are the build's, already present) and run with a
# fresh HOME and no portal of its own. The program must start the packaged
# demo portal (whose home page it then shows, and whose control requests
# answer nobody), never use a portal another user listens with at its port
# first, make the demo's media in
# the cache with its progress in the status line, play a file a second start
# hands over, keep every file in the XDG folders and none beside itself,
# print nothing on the console, and end the portal when it exits; with
# --verbose the libraries speak again; --portal turns the demo portal off.
# Usage: installed-package.sh BUILD_DIR MEDIA_DIR (runs under an X display).
set -euo pipefail
build=$1
media=$2
work=$(mktemp -d)
program_pid=
squatter_pid=
cleanup() {
    [ -n "$program_pid" ] && kill -9 "$program_pid" 2> /dev/null || true
    [ -n "$squatter_pid" ] && kill -9 "$squatter_pid" 2> /dev/null || true
    pkill -9 -f "$work/root/usr/libexec/ruvo-box/" 2> /dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    for log in "$work/console.log" "$work/trace.log"; do [ -f "$log" ] && { echo "--- $log"; tail -n 40 "$log"; } >&2; done
    exit 1
}
# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
    local seconds=$1
    shift
    for _ in $(seq $((seconds * 10))); do "$@" && return 0; sleep 0.1; done
    return 1
}
# Ends the running program as a logout does (SIGTERM); its exit status
# goes to ended_status.
end_program() {
    kill -TERM "$program_pid"
    wait_for 30 eval '! kill -0 "$program_pid" 2> /dev/null' || fail "$1 did not end"
    ended_status=0
    wait "$program_pid" || ended_status=$?
    program_pid=
}
portal=http://127.0.0.1:8790

# The package and what Debian's tools say of it.
(cd "$build" && cpack -G DEB -B "$work/package") > "$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/package/ruvo-box_*_amd64.deb)
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
lintian --fail-on error,warning --display-info "$deb" 2> /dev/null || fail "lintian"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libmpv2 libqt6webenginecore6 ffmpeg fonts-noto-cjk; do
    [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
dpkg -x "$deb" "$work/root"
root=$work/root
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"
desktop-file-validate "$root/usr/share/applications/ruvo-box.desktop" || fail "desktop-file-validate"
for size in 16 32 48 128 256; do
    file "$root/usr/share/icons/hicolor/${size}x${size}/apps/ruvo-box.png" | grep -q "PNG image data, $size x $size" ||
        fail "no ${size}x${size} icon"
done
zcat "$root/usr/share/man/man1/ruvo-box.1.gz" | grep -q '^\.SH FILES' || fail "man page"
touch "$work/unpacked"

program() {  # the installed program with a fresh environment, in place of the calling (sub)shell
    exec env -i PATH=/usr/bin:/bin DISPLAY="${DISPLAY:-}" XAUTHORITY="${XAUTHORITY:-}" HOME="$work/home" \
        XDG_RUNTIME_DIR="$work/runtime" QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu \
        ${QTWEBENGINE_DISABLE_SANDBOX:+QTWEBENGINE_DISABLE_SANDBOX=1} RUVO_TRACE="$work/trace.log" \
        "$root/usr/bin/ruvo-box" "$@"
}
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1

# --help and --version answer without a window and without a file.
(program --version) | grep -qx 'ruvo-box [0-9.]*' || fail "--version"
(program --help) | grep -q -- '--portal ADDRESS' || fail "--help"
[ -z "$(ls -A "$work/home")" ] || fail "--help or --version wrote $(ls -A "$work/home")"

curl -s -m 2 -o /dev/null "$portal/" && fail "something already listens on $portal: the test needs the port"
program > "$work/console.log" 2>&1 &
program_pid=$!
trace_has() { grep -aq "$1" "$work/trace.log" 2> /dev/null; }
wait_for 60 trace_has "shown Web1" || fail "the home page did not show"
# Any user of the computer reaches a loopback port: the control requests
# (the request log with the user's searches, the update switches) answer none.
[ "$(curl -s -o /dev/null -w '%{http_code}' "$portal/control/requests")" = 404 ] || fail "the demo portal's control answers"
[ "$(curl -s -o /dev/null -w '%{http_code}' "$portal/control?version=9.9")" = 404 ] || fail "the demo portal takes switches"
pgrep -P "$program_pid" -f "$root/usr/libexec/ruvo-box/ruvo-demo-portal" > /dev/null ||
    fail "the demo portal is not the program's child"
wait_for 60 trace_has "text zhun=正在准备演示视频 " || fail "no progress of the demo's media in the status line"
cache=$work/home/.cache/ruvo-box/demo-media
has_media() { compgen -G "$cache/*.mp4" > /dev/null; }
wait_for 60 has_media || fail "no media made in $cache"

# A second start hands a file over; it plays in the running window.
(program "$media/t23-s0-e1.mp4") >> "$work/console.log" 2>&1 || fail "the second start failed"
wait_for 30 trace_has "player first frame" || fail "the handed-over file did not play"
sleep 2  # the sound and decoder libraries have spoken by now, if they would

data=$work/home/.local/share/ruvo-box
for file in config.dll date.dat date_f.dat c.htm f.htm; do [ -s "$data/$file" ] || fail "no $data/$file"; done
grep -aq "t23-s0-e1.mp4" "$data/date_f.dat" || fail "the file is not listed among the local files"
[ "$(ls -A "$root/usr/bin")" = ruvo-box ] || fail "files beside the executable: $(ls -A "$root/usr/bin")"
written=$(find "$root" -newer "$work/unpacked" ! -type d)
[ -z "$written" ] || fail "written into the installed tree: $written"

# The exit (here by SIGTERM, as at logout) ends the demo portal too.
end_program "the program"
[ "$ended_status" -eq 0 ] || fail "the program ended with status $ended_status"
wait_for 5 eval '! pgrep -f "$root/usr/libexec/ruvo-box/ruvo-demo-portal" > /dev/null' || fail "the demo portal outlived the program"
curl -s -m 2 -o /dev/null "$portal/" && fail "the demo portal still answers"

if [ -s "$work/console.log" ]; then
    cat "$work/console.log" >&2
    fail "the console was not quiet"
fi

# Another user listens at the demo portal's port first: the program starts
# its own portal on a free port and asks the other one nothing.
: > "$work/squatter.log"
chmod 666 "$work/squatter.log"
chmod 755 "$work"
as_other=()
[ "$(id -u)" -ne 0 ] || as_other=(setpriv --reuid=65534 --regid=65534 --clear-groups)
"${as_other[@]}" "$build/demo/ruvo-demo-portal" --port 8790 --media "$work/none" --log "$work/squatter.log" > /dev/null 2>&1 &
squatter_pid=$!
wait_for 10 curl -s -m 1 -o /dev/null "$portal/" || fail "the other user's listener did not start"
: > "$work/squatter.log"  # what this script asked
: > "$work/trace.log"
program > /dev/null 2>&1 &
program_pid=$!
wait_for 60 trace_has "shown Web1" || fail "the home page did not show beside the other user's listener"
pgrep -P "$program_pid" -f "$root/usr/libexec/ruvo-box/ruvo-demo-portal" > /dev/null || fail "no demo portal of its own"
sleep 2
[ ! -s "$work/squatter.log" ] || fail "the other user's portal was asked: $(head -3 "$work/squatter.log")"
end_program "the program beside the other user's listener"
kill "$squatter_pid"
wait "$squatter_pid" 2> /dev/null || true
squatter_pid=

# --verbose brings the libraries' messages back (the web engine's report).
(program --verbose > "$work/verbose.log" 2>&1) &
program_pid=$!
console_has() { grep -aq "$1" "$work/verbose.log"; }
wait_for 60 console_has "qt.webenginecontext" || fail "--verbose printed no web engine report"
end_program "the verbose program"

# A portal of the user's own is remembered and turns the demo portal off.
own=http://127.0.0.1:9/box/
(program --portal "$own" > /dev/null 2>&1) &
program_pid=$!
wait_for 60 eval '[ "$(cat "$work/home/.config/ruvo-box/portal" 2> /dev/null)" = "$own" ]' || fail "--portal not remembered"
wait_for 60 trace_has "could not load\|place video=" || true
sleep 3
pgrep -f "$root/usr/libexec/ruvo-box/ruvo-demo-portal" > /dev/null && fail "the demo portal started beside the user's portal"
end_program "the program with its own portal"
echo "installed package: demo portal started and ended, files in $data, console quiet"
