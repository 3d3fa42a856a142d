#pragma once
#include <exception>

#include "plugin/result_codes.h"

namespace karvex {

// The one classification of failures into host result codes. Call it inside
// a catch block with the exception in flight.
ResultCode ExceptionToResult(const std::exception_ptr& failure);

}  // namespace karvex
