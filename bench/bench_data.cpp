#include "bench_data.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace karvex::bench {
namespace {

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : fallback;
}

}  // namespace

std::vector<BenchFile> BigDrawings() {
  std::vector<BenchFile> files;
  const std::filesystem::path folder = EnvOr("KARVEX_BENCH_DATA", "build/bench-data");
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("big_", 0) == 0 && entry.path().extension() == ".dxf") {
      files.push_back({entry.path().stem().string(), entry.path().string()});
    }
  }
  std::sort(files.begin(), files.end(), [](const BenchFile& a, const BenchFile& b) {
    return std::filesystem::file_size(a.path) < std::filesystem::file_size(b.path);
  });
  return files;
}

std::vector<BenchFile> LargestCorpusFiles(std::size_t count) {
  std::vector<BenchFile> files;
  const std::filesystem::path folder = EnvOr("KARVEX_CORPUS", "../shared/corpus");
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string extension = entry.path().extension().string();
    if (extension == ".dxf" || extension == ".DXF") {
      files.push_back({entry.path().stem().string(), entry.path().string()});
    }
  }
  std::sort(files.begin(), files.end(), [](const BenchFile& a, const BenchFile& b) {
    return std::filesystem::file_size(a.path) > std::filesystem::file_size(b.path);
  });
  if (files.size() > count) files.resize(count);
  return files;
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string SyntheticDrawing(std::size_t bytes) {
  std::string text = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
  unsigned seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  char line[160];
  while (text.size() < bytes) {
    const unsigned a = next() % 100000, b = next() % 100000, c = next() % 100000, d = next() % 100000;
    const int n = std::snprintf(line, sizeof line,
                                "  0\r\nLINE\r\n  8\r\nWALLS\r\n 10\r\n%u.%04u\r\n 20\r\n%u.%04u\r\n 30\r\n0.0\r\n"
                                " 11\r\n%u.%04u\r\n 21\r\n%u.%04u\r\n 31\r\n0.0\r\n",
                                a / 10, a % 10000, b / 10, b % 10000, c / 10, c % 10000, d / 10, d % 10000);
    text.append(line, static_cast<std::size_t>(n));
  }
  text += "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  return text;
}

}  // namespace karvex::bench
