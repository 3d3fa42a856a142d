#!/usr/bin/env bash
# Runs each fuzz target for a while (default 1800 s each; by hand, not in CI)
# and prints what it did. Usage: scripts/fuzz.sh [seconds-per-target]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-1800}
scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
work=build/fuzz/runs
mkdir -p "$work/pipeline" "$work/number" "$work/reader"
# Seeds: the project's own drawings, and the corpus kept in the repository.
cp samples/*.dxf tests/fixtures/*.dxf "$work/pipeline/" 2>/dev/null || true
cp tests/fuzz/corpus/pipeline/* "$work/pipeline/" 2>/dev/null || true
cp tests/fuzz/corpus/number/* "$work/number/" 2>/dev/null || true
cp samples/*.dxf tests/fixtures/*.dxf "$work/reader/" 2>/dev/null || true
for target in pipeline number reader; do
  echo "== ${target}_fuzzer for ${seconds} s"
  build/fuzz/tests/fuzz/${target}_fuzzer "$work/$target" -dict=tests/fuzz/dxf.dict -timeout=1 -rss_limit_mb=2048 \
    -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/${target}-" 2>&1 |
    grep -E '^(#[0-9]+.*(DONE|pulse)|stat::|==[0-9]+==|SUMMARY|artifact)' | tail -n 12
done
