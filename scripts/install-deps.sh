#!/usr/bin/env bash
# Installs every Debian package Murmex needs to build, test and run.
# Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git python3
  qt6-base-dev qt6-base-dev-tools libxcb1-dev
  libsqlite3-dev libsodium-dev libpq-dev
  postgresql  # only for the server tests on PostgreSQL (a throwaway cluster of their own)
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth openbox x11-apps imagemagick
  # checking and packaging what gets installed: the man pages, the desktop entry,
  # the metainfo, the service unit, and the libraries a .deb depends on
  groff-base man-db desktop-file-utils appstream systemd dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
