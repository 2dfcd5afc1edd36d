#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need, or those
# named as arguments.
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev libjpeg62-turbo-dev libstb-dev libinih-dev libwebp-dev libavif-dev libheif-dev zlib1g-dev
  liblcms2-dev
  qt6-base-dev
  libqt6svg6
  fonts-vlgothic fonts-noto-cjk
  desktop-file-utils lintian
  # Tests make their HEIC pictures, and the browser check loads pages.
  libheif-examples chromium
)
(($#)) && packages=("$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi
