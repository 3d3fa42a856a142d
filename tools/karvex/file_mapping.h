#pragma once
// A regular file's bytes mapped read-only into memory: the drawing is read
// where the page cache holds it, with no copy and no fresh pages to clear.
#include <cstddef>
#include <memory>
#include <string_view>

namespace karvex::tools {

class FileMapping {
 public:
  // Maps size bytes of the open file fd (size > 0). Empty when the system
  // will not map it; the caller then reads the file instead.
  static std::unique_ptr<FileMapping> Map(int fd, std::size_t size);
  ~FileMapping();
  FileMapping(const FileMapping&) = delete;
  FileMapping& operator=(const FileMapping&) = delete;

  std::string_view Bytes() const { return {static_cast<const char*>(address_), size_}; }

 private:
  FileMapping(void* address, std::size_t size) : address_(address), size_(size) {}
  void* address_;
  std::size_t size_;
};

}  // namespace karvex::tools
