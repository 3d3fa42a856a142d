#!/usr/bin/env bash
# Draws samples/sample.dxf with the converter into docs/sample.png, the
# picture the README shows, at the default 640 x 453 whatever your settings
# file says. Run it again whenever drawing changes.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release --target karvex
XDG_CONFIG_HOME="$(mktemp -d)" build/release/tools/karvex render -q samples/sample.dxf -o docs/sample.png
echo "wrote docs/sample.png"
