#pragma once
// The whole DXF text of one request, exactly as read, in one buffer.
#include <cstdint>
#include <memory>
#include <string_view>

namespace karvex {

class SourceImage {
 public:
  // Texts of 2 GiB or more are refused: positions are 32-bit.
  static constexpr std::int64_t kMaxSize = INT32_MAX;

  // A copy of the host's memory image (len bytes at data). A negative len is
  // refused with a failure; a copy that cannot be allocated raises
  // std::bad_alloc.
  static SourceImage FromMemory(const void* data, std::int32_t len);
  // The whole file, read with one read of its full size. A file that does
  // not exist, cannot be opened or cannot be read in full raises
  // SourceFileFailure.
  static SourceImage FromFile(const char* fileName);

  std::string_view Text() const { return {bytes_.get(), static_cast<std::size_t>(size_)}; }
  std::int32_t Size() const { return size_; }

 private:
  SourceImage(std::unique_ptr<char[]> bytes, std::int32_t size) : bytes_(std::move(bytes)), size_(size) {}
  std::unique_ptr<char[]> bytes_;
  std::int32_t size_ = 0;
};

}  // namespace karvex
