#!/usr/bin/env bash
# Installs the Debian packages Velmora needs, only those that are missing. Silent and
# quick when everything is present.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
  qt6-base-dev libqt6opengl6-dev libglu1-mesa-dev libgl1-mesa-dri
  qt6-translations-l10n
  xvfb xauth fonts-wqy-microhei
  clang libclang-rt-14-dev
  poppler-utils
  at-spi2-core python3-pyatspi dbus-x11
  dpkg-dev lintian desktop-file-utils appstream man-db libqt6svg6
  libopencv-core-dev libopencv-imgproc-dev libopencv-imgcodecs-dev
  libopencv-videoio-dev qt6-multimedia-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
