#pragma once
// The drawings the benchmarks read: big drawings made by the corpus's
// make_big.py (scripts/bench.sh makes them) and the largest corpus files.
#include <string>
#include <vector>

namespace karvex::bench {

struct BenchFile {
  std::string label;  // e.g. "big_10mb_crlf"
  std::string path;
};

// Files named in $KARVEX_BENCH_DATA (big_*.dxf) and the largest files of
// $KARVEX_CORPUS (default ../shared/corpus beside the checkout).
std::vector<BenchFile> BigDrawings();
std::vector<BenchFile> LargestCorpusFiles(std::size_t count);

std::string ReadWhole(const std::string& path);

// A CR LF text of pairs as DXF writers put them, about bytes long, built in
// memory (for benchmarks that need no files).
std::string SyntheticDrawing(std::size_t bytes);

}  // namespace karvex::bench
