#pragma once
#include <cstdint>

namespace karvex {

// The integer results the host receives.
enum ResultCode : std::int32_t {
  kSuccess = 0,
  kStoppedByHost = 1,
  kNotSupported = 2,
  kOutOfMemory = 4,  // also out of system resources
  kStreamError = 6,
  kInternalError = 8,
  kNotImplemented = -1,
};

}  // namespace karvex
