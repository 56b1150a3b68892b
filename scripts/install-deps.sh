#!/usr/bin/env bash
# Installs the Debian packages Tavrello needs to build, run and test; a no-op when all are there.
set -euo pipefail
packages=(cmake g++ make clang-format qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev fonts-dejavu-core
          xvfb xauth openbox xdotool x11-utils xclip imagemagick
          desktop-file-utils appstream python3 python3-pyatspi at-spi2-core dbus dbus-bin
          weston qt6-wayland dpkg-dev file lintian)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
