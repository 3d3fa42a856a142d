#pragma once
// The record GetPictureInfo fills in the host's memory: packed, little-endian.
// 26 bytes for 32-bit hosts; 64-bit hosts put two filler bytes before the
// pointer-sized info-text handle (32 bytes, handle at offset 24).
#include <cstddef>
#include <cstdint>

#include "plugin/host_memory.h"

namespace karvex {

#pragma pack(push, 1)
struct PictureInfo {
  std::int32_t Left;
  std::int32_t Top;
  std::int32_t Width;
  std::int32_t Height;
  std::uint16_t XDensity;
  std::uint16_t YDensity;
  std::int16_t ColorDepth;
#if UINTPTR_MAX > 0xFFFFFFFFu
  std::uint8_t Filler[2];
#endif
  HostHandle InfoText;
};
#pragma pack(pop)

#if UINTPTR_MAX > 0xFFFFFFFFu
static_assert(sizeof(PictureInfo) == 32 && offsetof(PictureInfo, InfoText) == 24);
#else
static_assert(sizeof(PictureInfo) == 26 && offsetof(PictureInfo, InfoText) == 22);
#endif

}  // namespace karvex
