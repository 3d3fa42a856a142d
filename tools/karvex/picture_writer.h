#pragma once
// Writes a drawn picture as PNG or BMP, to a file or to standard output. A
// file is written under a temporary name beside it and renamed only once
// complete, so a failure never leaves a part of a picture behind.
#include <sys/types.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "karvex/cli_options.h"
#include "karvex/temporary_file.h"

namespace karvex::tools {

class HostPicture;

struct OutputTarget {
  std::string path;  // unused for standard output
  bool standardOutput = false;
  PictureFormat format = PictureFormat::Png;
};

// The format a file name asks for: .png, .bmp or .svg, any case; none
// otherwise.
std::optional<PictureFormat> FormatOfName(const std::string& path);

class PictureWriter {
 public:
  // New files get fileMode as their permission bits.
  explicit PictureWriter(mode_t fileMode) : fileMode_(fileMode) {}

  // The permission bits a new file would get: 0666 less the umask. Call it
  // before any thread starts: reading the umask changes it for a moment.
  static mode_t NewFileMode();
  mode_t FileMode() const { return fileMode_; }

  // The BMP is the plug-in's two blocks as a .bmp file, byte for byte. An
  // SVG is written while it is drawn (StreamedPicture), never here.
  // Raises OutputError with the cause.
  void Write(const HostPicture& picture, const OutputTarget& target) const;

 private:
  mode_t fileMode_;
};

}  // namespace karvex::tools
