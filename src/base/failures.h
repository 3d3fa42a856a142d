#pragma once
// Failures raised inside Karvex. Nothing here ever crosses the plug-in's
// boundary: the section readers catch what happens while they run, and the
// exports turn whatever is left into a host result code (see
// plugin/exception_to_result.h).
#include <stdexcept>
#include <string>

namespace karvex {

// Base of every failure of our own.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The group-pair reader met a malformed or missing pair. It carries no
// message: nobody is ever shown it. The reader leaves (0, "Error") current.
class SilentAbort : public Failure {
 public:
  SilentAbort() : Failure("") {}
};

// A value text that does not convert to the number its group needs.
class ConversionFailure : public Failure {
 public:
  using Failure::Failure;
};

// A floating-point result that must not be used: NaN, an overflow of a float
// store, a pixel coordinate beyond 64 bits.
class FloatingPointFailure : public Failure {
 public:
  using Failure::Failure;
};

// The source file could not be opened or read whole. It is read without a
// stream, so this maps to the generic result, not to the stream result.
class SourceFileFailure : public Failure {
 public:
  using Failure::Failure;
};

// A read or write on a stream came short, or a stream's contents were
// malformed.
class StreamFailure : public Failure {
 public:
  using Failure::Failure;
};

// The platform ran out of graphics objects or handles.
class ResourceFailure : public Failure {
 public:
  using Failure::Failure;
};

}  // namespace karvex
