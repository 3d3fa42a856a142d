#!/usr/bin/env bash
# The main job on the sample drawing: the native converter writes
# out/sample.png, and karvex.spi, loaded by spihost.exe under Wine, writes
# out/sample.bmp.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh release
mkdir -p out
build/release/tools/karvex render samples/sample.dxf -o out/sample.png
echo "karvex: wrote out/sample.png"
source scripts/wine-env.sh
wine build/win32/tools/spihost.exe build/win32/src/karvex.spi picture samples/sample.dxf out/sample.bmp
