#!/usr/bin/env bash
# Installs what Zorvik needs to build, run and test, from Debian 12's packages.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-multimedia-dev libqt6multimediawidgets6 qt6-image-formats-plugins
  libxlsxwriter-dev zlib1g-dev libbenchmark-dev
  fonts-liberation xdg-utils qt6-translations-l10n
  unzip poppler-utils libreoffice-writer-nogui libreoffice-calc-nogui
  dpkg-dev appstream desktop-file-utils shared-mime-info
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
