#pragma once
// A picture written while it is drawn (SVG). A file goes under a temporary
// name beside its target and is renamed once complete; for standard output
// it goes to an unnamed temporary file, copied out once complete. Either
// way a drawing that fails half-way leaves nothing behind.
#include <sys/types.h>

#include <cstdio>
#include <optional>

#include "karvex/picture_writer.h"
#include "karvex/temporary_file.h"

namespace karvex::tools {

class StreamedPicture {
 public:
  // Raises OutputError.
  StreamedPicture(const OutputTarget& target, mode_t fileMode);
  ~StreamedPicture();
  StreamedPicture(const StreamedPicture&) = delete;
  StreamedPicture& operator=(const StreamedPicture&) = delete;

  std::FILE* File() const { return file_ ? file_->File() : unnamed_; }
  // Puts the complete picture in place. Raises OutputError.
  void Commit();

 private:
  std::optional<TemporaryFile> file_;
  std::FILE* unnamed_ = nullptr;
};

}  // namespace karvex::tools
