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
  if [ "$(id -u)" -eq 0 ]; then
    AS_ROOT=()
  elif command -v sudo >/dev/null 2>&1; then
    AS_ROOT=(sudo)
  else
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "Installing them needs root: run this script as root, install sudo, or have an" >&2
    echo "administrator run: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  "${AS_ROOT[@]}" apt-get update
  "${AS_ROOT[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build
cmake --build build -j"$(nproc)"
