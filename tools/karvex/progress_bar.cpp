#include "karvex/progress_bar.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>

namespace karvex::tools {
namespace {

constexpr std::size_t kBarCells = 24;
constexpr std::size_t kDefaultColumns = 80;

std::size_t TerminalColumns(std::FILE* out) {
  winsize size{};
  if (::ioctl(::fileno(out), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return kDefaultColumns;
}

}  // namespace

ProgressBar::ProgressBar(std::FILE* out, bool shown, std::size_t files, std::chrono::milliseconds redrawInterval)
    : out_(out), shown_(shown), files_(files), redrawInterval_(redrawInterval) {}

ProgressBar::~ProgressBar() { Close(); }

bool ProgressBar::StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

void ProgressBar::FileStarted(std::size_t index, const std::string& name) {
  std::lock_guard lock(mutex_);
  active_[index] = Active{name, 0};
  Draw(false);
}

void ProgressBar::FileProgress(std::size_t index, std::int64_t num, std::int64_t denom) {
  std::lock_guard lock(mutex_);
  const auto found = active_.find(index);
  if (found == active_.end() || denom <= 0) return;
  found->second.fraction = std::clamp(static_cast<double>(num) / static_cast<double>(denom), 0.0, 1.0);
  Draw(false);
}

void ProgressBar::FileFinished(std::size_t index) {
  std::lock_guard lock(mutex_);
  if (active_.erase(index) > 0) ++finished_;
  Draw(false);
}

void ProgressBar::PrintLines(const std::vector<std::string>& lines) {
  std::lock_guard lock(mutex_);
  Erase();
  for (const std::string& line : lines) {
    std::fputs(line.c_str(), out_);
    std::fputc('\n', out_);
  }
  Draw(true);
}

void ProgressBar::Close() {
  std::lock_guard lock(mutex_);
  Erase();
  shown_ = false;
}

std::string ProgressBar::BarText(std::size_t columns) const {
  double done = static_cast<double>(finished_);
  for (const auto& [index, file] : active_) done += file.fraction;
  const double fraction = files_ > 0 ? std::min(1.0, done / static_cast<double>(files_)) : 1.0;
  const auto filled = static_cast<std::size_t>(fraction * kBarCells);
  std::string text = "karvex [" + std::string(filled, '#') + std::string(kBarCells - filled, '-') + "] ";
  const std::string percent = std::to_string(static_cast<int>(fraction * 100));
  text += std::string(3 - std::min<std::size_t>(3, percent.size()), ' ') + percent + "%";
  if (files_ > 1) {
    text += ' ';
    text += std::to_string(finished_);
    text += '/';
    text += std::to_string(files_);
  }
  if (!active_.empty()) text += "  " + active_.begin()->second.name;
  // Never wrap: a wrapped bar cannot be taken back with one carriage return.
  if (columns > 1 && text.size() > columns - 1) text.resize(columns - 1);
  return text;
}

void ProgressBar::Draw(bool force) {
  if (!shown_) return;
  const auto now = std::chrono::steady_clock::now();
  if (!force && lastDraw_ && now - *lastDraw_ < redrawInterval_) return;
  const std::string text = BarText(TerminalColumns(out_));
  if (!force && text == drawn_) return;
  std::fputs(("\r\x1b[K" + text).c_str(), out_);
  std::fflush(out_);
  drawn_ = text;
  lastDraw_ = now;
}

void ProgressBar::Erase() {
  if (!shown_ || drawn_.empty()) return;
  std::fputs("\r\x1b[K", out_);
  std::fflush(out_);
  drawn_.clear();
}

}  // namespace karvex::tools
