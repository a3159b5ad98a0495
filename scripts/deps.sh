#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail
packages=(cmake ninja-build g++ clang libclang-rt-14-dev ccache pkg-config libgtest-dev libgmock-dev
  libbenchmark-dev libpng-dev libjpeg62-turbo-dev libgif-dev libzip-dev libcairo2-dev liblua5.4-dev
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev gstreamer1.0-plugins-base
  gstreamer1.0-plugins-good gstreamer1.0-x qt6-base-dev libgl-dev fonts-dejavu-core fonts-liberation2
  xvfb xauth xclip poppler-utils openbox xdotool imagemagick wmctrl x11-utils python3 python3-pil
  qt6-translations-l10n at-spi2-core python3-pyatspi dbus libsqlite3-dev libtomlplusplus-dev
  lintian desktop-file-utils appstream)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
