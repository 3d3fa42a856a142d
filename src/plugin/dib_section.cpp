#include "plugin/dib_section.h"

#include <cstdlib>
#include <new>

#include "base/failures.h"

namespace karvex {

void TDIBSection::AllocateFor(const BitmapInfoHeader& header) {
  Width = header.biWidth;
  Height = std::abs(header.biHeight);
  BitCount = header.biBitCount;
  const std::int64_t stride = ((static_cast<std::int64_t>(BitCount) * Width + 31) / 32) * 4;
  const std::int64_t bytes = stride * Height;
  if (stride <= 0 || bytes > INT32_MAX) throw std::bad_alloc();
  Stride = static_cast<std::int32_t>(stride);
  if (!block_.Allocate(static_cast<std::size_t>(bytes))) throw std::bad_alloc();
}

void TDIBSection::Lock() {
  Bits = static_cast<std::uint8_t*>(block_.Lock());
  if (Bits == nullptr) throw Failure("the pixel block cannot be locked");
}

void TDIBSection::Unlock() {
  block_.Unlock();
  Bits = nullptr;
}

}  // namespace karvex
