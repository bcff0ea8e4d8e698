#!/usr/bin/env bash
# Installs the Debian 12 packages Bowlyn builds, runs and tests with, and the
# comma locale the number tests use. Quiet when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgtk2.0-dev libglade2-dev libcairo2-dev libcurl4-openssl-dev
  libgtest-dev libbenchmark-dev
  libeigen3-dev libpotrace-dev libpng-dev libjpeg-dev libexpat1-dev
  xvfb xauth xdotool x11-utils imagemagick
  python3 python3-ezdxf dime librsvg2-bin poppler-utils
  # reads a CAM DXF as a program that knows only LWPOLYLINE does (headless, 20 s to install)
  openscad
  locales clang-format
  # what checks the installed tree and makes the .deb
  desktop-file-utils shared-mime-info libglib2.0-bin groff-base bash-completion dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $sudo sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi
