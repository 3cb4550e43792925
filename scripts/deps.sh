#!/usr/bin/env bash
# Installs the Debian packages the build, the saver under Wine and the tests need.
# Runs apt-get only when something is missing, so a prepared machine starts at once.
set -euo pipefail
packages=(
  cmake g++ make libgtest-dev librapidcheck-dev python3 clang libclang-rt-dev
  g++-mingw-w64-x86-64 mingw-w64-tools
  wine wine64
  xvfb x11-utils x11-apps xdotool imagemagick
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  fonts-ipafont-gothic fonts-liberation fonts-wine
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
