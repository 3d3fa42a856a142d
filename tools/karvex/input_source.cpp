#include "karvex/input_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "karvex/interrupt.h"
#include "plugin/source_image.h"

namespace karvex::tools {
namespace {

std::string Cause(int error) {
  switch (error) {
    case ENOENT:
      return "no such file";
    case EACCES:
      return "cannot be read: permission denied";
    case EISDIR:
      return "is a directory, not a DXF file";
    case ENOTDIR:
      return "no such file (a part of its path is not a folder)";
    default:
      return std::string("cannot be read: ") + std::strerror(error);
  }
}

// Reads fd to its end, refusing more than SourceImage::kMaxSize bytes.
void ReadAll(int fd, std::string& bytes) {
  char chunk[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got == 0) return;
    if (got < 0) {
      if (errno == EINTR && !InterruptRequested()) continue;
      if (errno == EINTR) throw InputError("interrupted while reading");
      throw InputError(Cause(errno));
    }
    if (static_cast<std::int64_t>(bytes.size()) + got > SourceImage::kMaxSize) {
      throw InputError("is 2 GiB or larger, more than can be drawn");
    }
    bytes.append(chunk, static_cast<std::size_t>(got));
  }
}

}  // namespace

bool ReadsFromTerminal(const std::string& path) { return path == "-" && ::isatty(STDIN_FILENO) == 1; }

LoadedInput LoadInput(const std::string& path) {
  LoadedInput input;
  if (path == "-") {
    input.shownName = kStandardInputName;
    input.fromStandardInput = true;
    ReadAll(STDIN_FILENO, input.readBytes);
    return input;
  }
  input.shownName = path;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw InputError(Cause(errno));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat info {};
  if (::fstat(fd, &info) != 0) throw InputError(Cause(errno));
  if (S_ISDIR(info.st_mode)) throw InputError(Cause(EISDIR));
  if (S_ISREG(info.st_mode)) {
    if (info.st_size > SourceImage::kMaxSize) throw InputError("is 2 GiB or larger, more than can be drawn");
    if (info.st_size > 0) {
      input.mapping = FileMapping::Map(fd, static_cast<std::size_t>(info.st_size));
      if (input.mapping) return input;
    }
    input.readBytes.reserve(static_cast<std::size_t>(info.st_size));
  }
  ReadAll(fd, input.readBytes);
  return input;
}

}  // namespace karvex::tools
