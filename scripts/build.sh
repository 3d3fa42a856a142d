#!/usr/bin/env bash
# Builds the Windows programs (karvex.spi and karvex.sph, spihost.exe for
# both widths) and the native preset named by $1 (default: release) with the
# Wine tests enabled.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-release}
for windows in win32 win64; do
  cmake --preset "$windows" >/dev/null
  cmake --build --preset "$windows"
done
cmake --preset "$preset" -DKARVEX_WIN32_DIR="$PWD/build/win32" -DKARVEX_WIN64_DIR="$PWD/build/win64" >/dev/null
cmake --build --preset "$preset"
