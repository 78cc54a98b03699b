#!/usr/bin/env bash
# `cmake --install` into a scratch prefix puts the program, a valid desktop
# entry for video files and the icon where desktops look for them.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -x "$prefix/bin/ruvo-box" ] || fail "no program in bin"
entry=$prefix/share/applications/ruvo-box.desktop
[ -f "$entry" ] || fail "no desktop entry"
[ -f "$prefix/share/icons/hicolor/scalable/apps/ruvo-box.svg" ] || fail "no icon"
grep -q '^Exec=ruvo-box %f$' "$entry" || fail "Exec does not take a file"
grep -q '^Name=Ruvo影视盒$' "$entry" || fail "wrong name"
grep -q '^Icon=ruvo-box$' "$entry" || fail "wrong icon"
for type in video/mp4 video/x-matroska video/webm video/x-msvideo; do
    grep -q "^MimeType=.*$type;" "$entry" || fail "$type missing"
done
if command -v desktop-file-validate > /dev/null; then desktop-file-validate "$entry" || fail "desktop-file-validate"; fi
echo "installed: $(cd "$prefix" && find . -type f | sort | tr '\n' ' ')"
