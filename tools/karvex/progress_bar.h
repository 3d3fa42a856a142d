#pragma once
// The progress bar on standard error while drawings are read, and the lines
// printed above it. Driven by the progress reports a host receives. Shown
// only when wanted (a terminal, no --quiet); lines are printed either way.
// Safe to use from several threads.
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace karvex::tools {

class ProgressBar {
 public:
  // Redraws come at most this often, so that a fast run spends no time on
  // its bar.
  static constexpr std::chrono::milliseconds kRedrawInterval{50};

  // out is standard error in the converter; files is how many drawings the
  // run draws. Between redraws at least redrawInterval passes, except where
  // a message is printed.
  ProgressBar(std::FILE* out, bool shown, std::size_t files,
              std::chrono::milliseconds redrawInterval = kRedrawInterval);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  // True when standard error is a terminal.
  static bool StandardErrorIsTerminal();

  void FileStarted(std::size_t index, const std::string& name);
  // num / denom of the file read so far (a host's progress report).
  void FileProgress(std::size_t index, std::int64_t num, std::int64_t denom);
  void FileFinished(std::size_t index);

  // Whole lines, each ended with a newline here; the bar is taken away
  // first and drawn again after.
  void PrintLines(const std::vector<std::string>& lines);

  // Takes the bar away for good.
  void Close();

 private:
  struct Active {
    std::string name;
    double fraction = 0;
  };
  // The bar's text for the current state, fitted into columns.
  std::string BarText(std::size_t columns) const;
  void Draw(bool force);
  void Erase();

  std::FILE* out_;
  bool shown_;
  std::size_t files_;
  std::chrono::milliseconds redrawInterval_;
  std::size_t finished_ = 0;
  std::map<std::size_t, Active> active_;
  std::string drawn_;
  std::optional<std::chrono::steady_clock::time_point> lastDraw_;
  std::mutex mutex_;
};

}  // namespace karvex::tools
