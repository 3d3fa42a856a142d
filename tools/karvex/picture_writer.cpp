#include "karvex/picture_writer.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "common/bmp_file.h"
#include "karvex/file_renderer.h"
#include "karvex/png_writer.h"

namespace karvex::tools {
namespace {

bool WriteBytes(std::FILE* file, const void* data, std::size_t size) {
  return size == 0 || std::fwrite(data, 1, size, file) == size;
}

bool WriteFormatted(const HostPicture& picture, PictureFormat format, std::FILE* file) {
  const BitmapInfoHeader& header = picture.Header();
  if (format == PictureFormat::Png) {
    const std::size_t stride = picture.RowBytes() / static_cast<std::size_t>(header.biHeight);
    return WritePng(file, header.biWidth, header.biHeight, picture.Rows(), stride);
  }
  const auto headers = BmpFileHeaders(&header, picture.RowBytes());
  return WriteBytes(file, headers.data(), headers.size()) && WriteBytes(file, picture.Rows(), picture.RowBytes());
}

}  // namespace

mode_t PictureWriter::NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

std::optional<PictureFormat> FormatOfName(const std::string& path) {
  return FormatOfExtension(std::filesystem::path(path).extension().string());
}

void PictureWriter::Write(const HostPicture& picture, const OutputTarget& target) const {
  if (target.format == PictureFormat::Svg) throw std::logic_error("an SVG is written while it is drawn");
  if (target.standardOutput) {
    errno = 0;
    if (!WriteFormatted(picture, target.format, stdout) || std::fflush(stdout) != 0) {
      throw OutputError(errno != 0 ? WriteFailureCause(errno) : "a write failed");
    }
    return;
  }
  TemporaryFile temporary(target.path, fileMode_);
  errno = 0;
  if (!WriteFormatted(picture, target.format, temporary.File())) {
    throw OutputError(errno != 0 ? WriteFailureCause(errno) : "a write failed");
  }
  temporary.Commit();
}

}  // namespace karvex::tools
