#!/usr/bin/env bash
# Installs the Debian packages Korvo needs to build, run and test. Idempotent and
# quiet when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-serialport-dev
  qt6-l10n-tools qt6-tools-dev libgl1-mesa-dev
  portaudio19-dev libsndfile1-dev libfftw3-dev libgtest-dev libhamlib-dev libhamlib-utils
  clang libclang-rt-14-dev
  xvfb xauth dbus dbus-x11 valgrind sox locales
  libglib2.0-bin pulseaudio-utils fonts-dejavu-core fonts-liberation2 imagemagick
  qt6-translations-l10n libqt6svg6 qt6-qpa-plugins
  desktop-file-utils appstream man-db dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The tests format numbers under a French locale; make sure it exists.
if ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf8$'; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" sed -i 's/^# *fr_FR.UTF-8 UTF-8/fr_FR.UTF-8 UTF-8/' /etc/locale.gen
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
