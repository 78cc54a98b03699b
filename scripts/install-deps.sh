#!/usr/bin/env bash
# Installs what building, running and testing Ruvo影视盒 needs (Debian 12).
set -euo pipefail
packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-webengine-dev libmpv-dev libcpp-httplib-dev
  libavformat-dev libavcodec-dev libswresample-dev libavutil-dev libchromaprint-dev
  libgtest-dev libgmock-dev librapidcheck-dev clang libclang-rt-14-dev
  ffmpeg espeak-ng fonts-noto-cjk fontconfig
  xvfb xauth curl xdotool x11-utils trayer openbox dbus libglib2.0-bin desktop-file-utils
  at-spi2-core python3-pyatspi
  weston qt6-wayland qt6-translations-l10n
  lintian appstream file dpkg-dev
)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
