#pragma once
// Hosts built with the usual Windows compilers run the x87 unit at 53-bit
// precision (64-bit Windows starts every thread that way too), which
// silently turns long double into double. Every export opens
// one of these scopes: the x87 unit runs at 64-bit precision, rounding to
// nearest, with every exception masked while Karvex works, and the host's
// control word (and SSE control) is back in place when the export returns. Natively there is
// nothing to switch and the scope does nothing.
#include <cstdint>

namespace karvex {

class FpuPrecisionScope {
 public:
  FpuPrecisionScope();
  ~FpuPrecisionScope();
  FpuPrecisionScope(const FpuPrecisionScope&) = delete;
  FpuPrecisionScope& operator=(const FpuPrecisionScope&) = delete;

 private:
#if defined(_WIN32) && (defined(__i386__) || defined(__x86_64__))
  std::uint16_t savedX87_ = 0;
  std::uint32_t savedMxcsr_ = 0;
#endif
};

}  // namespace karvex
