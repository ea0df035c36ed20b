#!/usr/bin/env bash
# Installs what building and testing Zelvor needs on Debian 12. Safe to run again: it only
# calls apt-get when a package is missing.
set -euo pipefail

BUILD_PKGS=(build-essential cmake pkg-config ninja-build qt6-base-dev qt6-serialport-dev
            libqt6serialport6 fonts-dejavu-core)
TEST_PKGS=(libgtest-dev libgmock-dev xvfb xauth imagemagick xdotool socat srecord binutils gputils sdcc
           gcc-avr avr-libc binutils-avr)

want=("${BUILD_PKGS[@]}")
if [ "${1:-}" = "--tests" ]; then want+=("${TEST_PKGS[@]}"); fi

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
