#!/usr/bin/env bash
# Prints what karvex render's outputs cost (PNG, PNG --smooth, SVG) in time,
# memory and bytes, on the 53 MB drawing made by the corpus's make_big.py
# (the one scripts/bench.sh reads) unless drawings are given.
#   scripts/output-figures.sh [--runs N] [--sizes 640x453,4000x2832] [DRAWING...]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release --target karvex >/dev/null
big=build/bench-data/big_50mb_crlf.dxf
mkdir -p build/bench-data
[ -f "$big" ] || python3 ../shared/corpus/make_big.py --mb 50 -o "$big" >/dev/null
python3 scripts/output_figures.py --unless-given "$big" "$@"
