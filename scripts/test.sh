#!/usr/bin/env bash
# Every test: installs what is missing, builds both targets, runs the native
# unit tests and the Wine tests, then the native tests again under
# AddressSanitizer and UBSan, and the tests of the second reading thread
# under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh debug
ctest --preset debug
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan
cmake --preset tsan >/dev/null
cmake --build --preset tsan
ctest --preset tsan
