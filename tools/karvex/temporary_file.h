#pragma once
// A file written under a temporary name beside its target and renamed over
// the target only when complete; removed if it never gets there.
#include <sys/types.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace karvex::tools {

// Why a file cannot be written ("permission denied", "the disk is full").
class OutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A short cause for an errno value, for OutputError.
std::string WriteFailureCause(int error);

class TemporaryFile {
 public:
  // Creates the temporary file beside target with permission bits mode.
  // Raises OutputError.
  TemporaryFile(const std::string& target, mode_t mode);
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  std::FILE* File() const { return file_; }
  // Flushes and closes the file and renames it over the target. Raises
  // OutputError (the temporary file is then removed with this object).
  void Commit();

 private:
  std::string target_;
  std::string path_;
  std::FILE* file_ = nullptr;
  bool committed_ = false;
};

}  // namespace karvex::tools
