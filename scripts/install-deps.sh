#!/usr/bin/env bash
# Installs the Debian packages the program and its tests need, when missing.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config
  zlib1g-dev
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev fonts-dejavu-core
  libwmf-dev libemf2svg-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  zip unzip python3 p7zip-full libarchive-tools
  libasound2-dev libcanberra-dev dbus libglib2.0-bin
  libreoffice-calc-nogui
  clang libclang-rt-14-dev clang-format
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
