#pragma once
// Failures raised inside Karvex. A failure is always raised as one of these
// (or std::bad_alloc), never returned as a null, a false or a code. It is
// caught in two kinds of places only (docs/reading.md, "Failures"):
// - where a failure ends only part of the work: a section reader, a table
//   routine, a block replay, one text; that part ends, and says so by
//   returning false, as it does when the host asks to stop;
// - at the plug-in's boundary, where ResultOf turns it into the host result
//   code ExceptionToResult gives it (plugin/exception_to_result.h). Nothing
//   crosses the boundary.
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
