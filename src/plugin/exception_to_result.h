#pragma once
#include <cstdint>
#include <exception>

#include "plugin/result_codes.h"

namespace karvex {

// The one classification of failures into host result codes. Call it inside
// a catch block with the exception in flight.
ResultCode ExceptionToResult(const std::exception_ptr& failure);

// Runs the work of an export, which returns its result code; a failure
// raised inside becomes the code ExceptionToResult gives it. This is where
// failures stop: nothing crosses the plug-in's boundary.
template <typename Work>
std::int32_t ResultOf(Work&& work) noexcept {
  try {
    return work();
  } catch (...) {
    return ExceptionToResult(std::current_exception());
  }
}

}  // namespace karvex
