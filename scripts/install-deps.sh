#!/usr/bin/env bash
# Installs the Debian packages Tunedex needs to build and test; quiet when all are there.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  libicu-dev libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev
  libxcb1-dev libxcb-icccm4-dev libxcb-ewmh-dev libxcb-keysyms1-dev libxcb-xtest0-dev libxcb-shape0-dev libglib2.0-dev shared-mime-info
  qt6-base-dev qt6-qpa-plugins qt6-svg-dev libgl-dev fonts-dejavu-core
  xvfb xauth openbox poppler-utils x11-xserver-utils
  python3 librsvg2-bin dpkg-dev lintian desktop-file-utils appstream libxml2-utils libglib2.0-bin
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
