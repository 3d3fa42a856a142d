#!/usr/bin/env bash
# Installs everything Karvex needs on a fresh Debian 12 machine. Quiet and
# idempotent: when every package is already there it only checks (a second
# run takes seconds). Runs as root, or through sudo.
set -euo pipefail
self=$(readlink -f "$0")
cd "$(dirname "$self")/.."

packages=(
  build-essential cmake ninja-build pkg-config git python3
  libgtest-dev libgmock-dev libbenchmark-dev
  libfreetype-dev libpng-dev fonts-ipafont-gothic locales
  clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 fonts-wine
  xvfb xdotool imagemagick x11-utils
  librsvg2-bin
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    exec sudo "$self" "$@"
  fi
  echo "setup: installing ${#missing[@]} packages"
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Where the kernel cannot run 32-bit programs, the 32-bit Wine runs under
# qemu-i386, registered for i386 programs in binfmt_misc. Never where the
# kernel runs them itself: the emulator would take them over.
if [ "$(KARVEX_I386_SUPPORT= scripts/i386-support.sh | cut -d: -f1)" = none ] && [ -e /lib/ld-linux.so.2 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    exec sudo "$self" "$@"
  fi
  if ! dpkg-query -W -f='${Status}' qemu-user-static 2>/dev/null | grep -q 'install ok installed'; then
    echo "setup: this machine cannot run 32-bit programs; installing qemu-user-static for the 32-bit Wine"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends qemu-user-static >/dev/null
  fi
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
  # F: the kernel opens the emulator now, so it is found from any mount
  # namespace. The mask lets ET_EXEC and ET_DYN programs through.
  [ -e "$binfmt/qemu-i386" ] || printf '%s' \
    ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
    >"$binfmt/register"
  echo 1 >"$binfmt/qemu-i386"
  echo "setup: $(KARVEX_I386_SUPPORT= scripts/i386-support.sh)"
fi
