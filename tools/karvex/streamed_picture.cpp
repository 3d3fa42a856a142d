#include "karvex/streamed_picture.h"

#include <cerrno>
#include <vector>

namespace karvex::tools {
namespace {

[[noreturn]] void Fail() { throw OutputError(errno != 0 ? WriteFailureCause(errno) : "a write failed"); }

}  // namespace

StreamedPicture::StreamedPicture(const OutputTarget& target, mode_t fileMode) {
  if (!target.standardOutput) {
    file_.emplace(target.path, fileMode);
    return;
  }
  errno = 0;
  unnamed_ = std::tmpfile();
  if (unnamed_ == nullptr) Fail();
}

StreamedPicture::~StreamedPicture() {
  if (unnamed_ != nullptr) std::fclose(unnamed_);
}

void StreamedPicture::Commit() {
  if (file_) {
    file_->Commit();
    return;
  }
  errno = 0;
  if (std::fflush(unnamed_) != 0 || std::ferror(unnamed_) != 0) Fail();
  std::rewind(unnamed_);
  std::vector<char> piece(std::size_t{1} << 16);
  for (;;) {
    const std::size_t got = std::fread(piece.data(), 1, piece.size(), unnamed_);
    if (got > 0 && std::fwrite(piece.data(), 1, got, stdout) != got) Fail();
    if (got < piece.size()) break;
  }
  if (std::ferror(unnamed_) != 0 || std::fflush(stdout) != 0) Fail();
}

}  // namespace karvex::tools
