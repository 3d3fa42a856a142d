#!/usr/bin/env bash
# Installs everything Karvex needs on a fresh Debian 12 machine. Quiet and
# idempotent: when every package is already there it only checks (a second
# run takes seconds). Runs as root, or through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git python3
  libgtest-dev libgmock-dev libbenchmark-dev
  libfreetype-dev libpng-dev fonts-ipafont-gothic locales
  clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 fonts-wine
  xvfb xdotool imagemagick x11-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    exec sudo "$0" "$@"
  fi
  echo "setup: installing ${#missing[@]} packages"
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
