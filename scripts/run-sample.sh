#!/usr/bin/env bash
# The main job on the sample drawing: the native converter writes
# out/sample.png, and karvex.spi, loaded by spihost.exe under Wine, writes
# out/sample.bmp. On a machine that runs 32-bit programs only under an
# emulator the second step takes a few minutes instead of seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
i386_support=$(scripts/i386-support.sh)
echo "32-bit programs: $i386_support"
scripts/build.sh release
mkdir -p out
build/release/tools/karvex render samples/sample.dxf -o out/sample.png
echo "karvex: wrote out/sample.png"
case "$i386_support" in
  native:*) ;;
  emulated:*) echo "karvex.spi: its 32-bit host runs under the emulator; this takes a few minutes" ;;
  *) echo "karvex.spi cannot run here: run scripts/setup.sh as root to register qemu-i386" >&2; exit 1 ;;
esac
source scripts/wine-env.sh
wine build/win32/tools/spihost.exe build/win32/src/karvex.spi picture samples/sample.dxf out/sample.bmp
