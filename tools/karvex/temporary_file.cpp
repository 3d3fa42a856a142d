#include "karvex/temporary_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace karvex::tools {

std::string WriteFailureCause(int error) {
  switch (error) {
    case ENOENT:
      return "its folder does not exist";
    case ENOTDIR:
      return "a part of its path is not a folder";
    case EACCES:
      return "permission denied";
    case EISDIR:
      return "it is a folder";
    case ENOSPC:
      return "the disk is full";
    case EROFS:
      return "the file system is read-only";
    default:
      return std::strerror(error);
  }
}

TemporaryFile::TemporaryFile(const std::string& target, mode_t mode) : target_(target) {
  const std::filesystem::path where(target);
  std::error_code ignored;
  if (std::filesystem::is_directory(where, ignored)) throw OutputError(WriteFailureCause(EISDIR));
  const std::filesystem::path folder = where.has_parent_path() ? where.parent_path() : ".";
  std::string name = ".";
  name += where.filename().string();
  name += ".karvex-XXXXXX";
  path_ = (folder / name).string();
  const int fd = ::mkstemp(path_.data());
  if (fd < 0) throw OutputError(WriteFailureCause(errno));
  ::fchmod(fd, mode);
  file_ = ::fdopen(fd, "wb");
  if (file_ == nullptr) {
    const int error = errno;
    ::close(fd);
    ::unlink(path_.c_str());
    throw OutputError(WriteFailureCause(error));
  }
}

TemporaryFile::~TemporaryFile() {
  if (file_ != nullptr) std::fclose(file_);
  if (!committed_) ::unlink(path_.c_str());
}

void TemporaryFile::Commit() {
  errno = 0;
  const bool flushed = std::fflush(file_) == 0 && std::ferror(file_) == 0;
  const int flushError = errno;
  const bool closed = std::fclose(file_) == 0;
  const int closeError = errno;
  file_ = nullptr;
  if (!flushed) throw OutputError(flushError != 0 ? WriteFailureCause(flushError) : "a write failed");
  if (!closed) throw OutputError(WriteFailureCause(closeError));
  if (::rename(path_.c_str(), target_.c_str()) != 0) throw OutputError(WriteFailureCause(errno));
  committed_ = true;
}

}  // namespace karvex::tools
