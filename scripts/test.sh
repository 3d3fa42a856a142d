#!/usr/bin/env bash
# Every test: installs what is missing, builds both targets, runs the native
# unit tests and the Wine tests, then the native tests again under
# AddressSanitizer and UBSan, and the tests of the second reading thread
# under ThreadSanitizer. Where the machine runs 32-bit programs only under
# an emulator, the 32-bit Wine suite gives way to a short check of
# karvex.spi (the 64-bit suite runs in full everywhere).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# Asked once: every Wine test of this run reads the answer.
KARVEX_I386_SUPPORT=$(scripts/i386-support.sh)
export KARVEX_I386_SUPPORT
echo "32-bit programs: $KARVEX_I386_SUPPORT"
scripts/build.sh debug
ctest --preset debug
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan
cmake --preset tsan >/dev/null
cmake --build --preset tsan
ctest --preset tsan
