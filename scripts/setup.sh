#!/usr/bin/env bash
# Installs what the build needs on a Debian machine (as root, or through sudo), then
# configures and builds into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(build-essential cmake pkg-config
  libsdl2-dev libpng-dev libjpeg62-turbo-dev zlib1g-dev libfreetype-dev
  libvorbis-dev libogg-dev fonts-dejavu-core libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils imagemagick python3 sound-icons sound-theme-freedesktop)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
