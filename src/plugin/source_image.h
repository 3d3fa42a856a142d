#pragma once
// The whole DXF text of one request, exactly as read, in one buffer: the
// host's own memory image, or a file read whole.
#include <cstdint>
#include <memory>
#include <string_view>

namespace karvex {

class SourceImage {
 public:
  // Texts of 2 GiB or more are refused: positions are 32-bit.
  static constexpr std::int64_t kMaxSize = INT32_MAX;

  // The host's memory image (len bytes at data), read where it lies: the
  // host keeps it for the whole call, and nothing read from it is kept
  // past the request. A negative len is refused with a failure.
  static SourceImage FromMemory(const void* data, std::int32_t len);
  // The whole file: on Windows a file on a fixed drive is mapped, any other
  // read with one read of its full size. A file that does not exist,
  // cannot be opened or cannot be read in full raises SourceFileFailure.
  static SourceImage FromFile(const char* fileName);

  std::string_view Text() const { return text_; }
  std::int32_t Size() const { return static_cast<std::int32_t>(text_.size()); }

 private:
  SourceImage(std::shared_ptr<const void> keeper, std::string_view text) : keeper_(std::move(keeper)), text_(text) {}
  std::shared_ptr<const void> keeper_;  // what holds a file's bytes; empty for a memory image
  std::string_view text_;
};

}  // namespace karvex
