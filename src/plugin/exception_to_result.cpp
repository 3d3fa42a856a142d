#include "plugin/exception_to_result.h"

#include <new>

#include "base/failures.h"

namespace karvex {

ResultCode ExceptionToResult(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const ResourceFailure&) {
    return kOutOfMemory;
  } catch (const std::bad_alloc&) {
    return kOutOfMemory;
  } catch (const StreamFailure&) {
    return kStreamError;
  } catch (...) {
    return kInternalError;
  }
}

}  // namespace karvex
