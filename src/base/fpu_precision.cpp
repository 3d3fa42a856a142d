#include "base/fpu_precision.h"

namespace karvex {

#if defined(_WIN32) && (defined(__i386__) || defined(__x86_64__))

namespace {
constexpr std::uint16_t kPrecisionControlMask = 0x0300;
constexpr std::uint16_t kRoundingControlMask = 0x0C00;  // 0: to nearest, halves to even
constexpr std::uint32_t kSseRoundingMask = 0x6000;
constexpr std::uint16_t kPrecision64 = 0x0300;
constexpr std::uint16_t kAllX87ExceptionsMasked = 0x003F;
constexpr std::uint32_t kAllSseExceptionsMasked = 0x1F80;
}  // namespace

FpuPrecisionScope::FpuPrecisionScope() {
  __asm__ volatile("fnstcw %0" : "=m"(savedX87_));
  __asm__ volatile("stmxcsr %0" : "=m"(savedMxcsr_));
  std::uint16_t ours = static_cast<std::uint16_t>(
      (savedX87_ & ~(kPrecisionControlMask | kRoundingControlMask)) | kPrecision64 | kAllX87ExceptionsMasked);
  std::uint32_t oursSse = (savedMxcsr_ & ~kSseRoundingMask) | kAllSseExceptionsMasked;
  __asm__ volatile("fnclex");
  __asm__ volatile("fldcw %0" : : "m"(ours));
  __asm__ volatile("ldmxcsr %0" : : "m"(oursSse));
}

FpuPrecisionScope::~FpuPrecisionScope() {
  // x87 flags raised while we worked must not trap at the host's next x87
  // instruction, whose control word may unmask them.
  __asm__ volatile("fnclex");
  __asm__ volatile("fldcw %0" : : "m"(savedX87_));
  __asm__ volatile("ldmxcsr %0" : : "m"(savedMxcsr_));
}

#else

FpuPrecisionScope::FpuPrecisionScope() = default;
FpuPrecisionScope::~FpuPrecisionScope() = default;

#endif

}  // namespace karvex
