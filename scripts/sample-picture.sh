#!/usr/bin/env bash
# Draws samples/sample.dxf with the converter into docs/sample.png, the
# picture the README shows, at the default 640 x 453 whatever your settings
# file says; and docs/smooth-beside-aliased.png, a part of it twice as large
# as drawn by default and with --smooth (ImageMagick puts them side by side).
# Run it again whenever drawing changes.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release --target karvex
karvex() { XDG_CONFIG_HOME="$work" build/release/tools/karvex "$@"; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
karvex render -q samples/sample.dxf -o docs/sample.png
karvex render -q samples/sample.dxf --smooth -o "$work/smooth.png"
convert docs/sample.png "$work/smooth.png" -crop 200x200+95+188 +repage -scale 200% \
  -bordercolor white -border 6 +append docs/smooth-beside-aliased.png
echo "wrote docs/sample.png and docs/smooth-beside-aliased.png"
