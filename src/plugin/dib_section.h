#pragma once
// Holds the pixel block of one request while it is filled. The block goes
// with this object unless it was handed over to the host.
#include <cstdint>

#include "plugin/bitmap_headers.h"
#include "plugin/host_block.h"
#include "plugin/host_memory.h"

namespace karvex {

class TDIBSection {
 public:
  explicit TDIBSection(HostMemory& memory) : block_(memory) {}
  TDIBSection(const TDIBSection&) = delete;
  TDIBSection& operator=(const TDIBSection&) = delete;

  // Takes the size from the header and allocates Stride x Height bytes;
  // raises std::bad_alloc when there is no block.
  void AllocateFor(const BitmapInfoHeader& header);
  void Lock();
  void Unlock();
  // The pixel block, unlocked, for the host.
  HostHandle HandOver() { return block_.HandOver(); }

  std::uint8_t* Bits = nullptr;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::int32_t BitCount = 0;
  std::int32_t Stride = 0;

 private:
  HostBlock block_;
};

}  // namespace karvex
