#!/usr/bin/env bash
# Builds the Windows programs (karvex.spi, spihost.exe) and the native
# preset named by $1 (default: release) with the Wine tests enabled.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-release}
cmake --preset win32 >/dev/null
cmake --build --preset win32
cmake --preset "$preset" -DKARVEX_WIN32_DIR="$PWD/build/win32" >/dev/null
cmake --build --preset "$preset"
