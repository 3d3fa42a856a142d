#!/usr/bin/env bash
# Every test: installs what is missing, builds both targets, runs the native
# unit tests and the Wine tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh debug
ctest --preset debug
