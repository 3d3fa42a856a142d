#pragma once
// Holds the pixel block of one request while it is filled. Destroying it
// never frees the block: whoever holds the handle does.
#include <cstdint>

#include "plugin/bitmap_headers.h"
#include "plugin/host_memory.h"

namespace karvex {

class TDIBSection {
 public:
  explicit TDIBSection(HostMemory& memory) : memory_(memory) {}
  TDIBSection(const TDIBSection&) = delete;
  TDIBSection& operator=(const TDIBSection&) = delete;

  // Takes the size from the header and allocates Stride x Height bytes;
  // raises std::bad_alloc when there is no block.
  void AllocateFor(const BitmapInfoHeader& header);
  void Lock();
  void Unlock();

  HostHandle Handle = nullptr;
  std::uint8_t* Bits = nullptr;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::int32_t BitCount = 0;
  std::int32_t Stride = 0;

 private:
  HostMemory& memory_;
};

}  // namespace karvex
