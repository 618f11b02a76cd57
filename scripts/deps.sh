#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test Zyn Utils.
# As root it installs with apt-get; otherwise it prints the one line to run.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  libwxgtk3.2-dev libgtk-3-dev libfreetype-dev libfontconfig-dev libcairo2-dev
  libx11-dev libxext-dev libxtst-dev libxi-dev libxdamage-dev libcanberra-dev libasound2-dev libexpat1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb openbox picom trayer dbus dbus-x11 dunst xdotool x11-utils x11-xserver-utils
  imagemagick librsvg2-bin python3 sox
  fonts-liberation fonts-wqy-zenhei fonts-quattrocento desktop-file-utils gettext locales
  sound-theme-freedesktop
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Zyn Utils needs these packages. Run as root:" >&2
  echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
