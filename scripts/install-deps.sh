#!/usr/bin/env bash
# Installs everything Lintaro needs to build, run and test on Debian 12.
# Runs unattended: no questions, no standard input.
set -euo pipefail

packages=(
  build-essential clang cmake pkg-config time bc
  qt6-base-dev qt6-image-formats-plugins qt6-svg-dev libcups2-dev
  libgif-dev libimagequant-dev libwebp-dev libspng-dev
  libvips-dev
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev ffmpeg
  fonts-ipafont-gothic qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick
  poppler-utils qpdf libqpdf-dev
  cups printer-driver-cups-pdf
  desktop-file-utils appstream dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
fi
