#!/usr/bin/env bash
# Builds the release preset and runs the benchmark suite on drawings of 1, 10
# and 50 MB (CR LF and LF) made by the corpus's make_big.py, and on the
# largest corpus files. Extra arguments go to Google Benchmark, e.g.
#   scripts/bench.sh --benchmark_filter=Reader
set -euo pipefail
cd "$(dirname "$0")/.."
corpus=$(cd .. && pwd)/shared/corpus
data=build/bench-data
mkdir -p "$data"
for mb in 1 10 50; do
  [ -f "$data/big_${mb}mb_crlf.dxf" ] || python3 "$corpus/make_big.py" --mb "$mb" -o "$data/big_${mb}mb_crlf.dxf" >/dev/null
  [ -f "$data/big_${mb}mb_lf.dxf" ] || python3 "$corpus/make_big.py" --mb "$mb" --lf -o "$data/big_${mb}mb_lf.dxf" >/dev/null
done
cmake --preset release >/dev/null
cmake --build --preset release --target karvex_bench
KARVEX_BENCH_DATA="$data" KARVEX_CORPUS="$corpus" build/release/bench/karvex_bench "$@"
