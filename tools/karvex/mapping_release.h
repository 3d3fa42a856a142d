#pragma once
// Lets go of a drawing's mapping on a thread of its own. Unmapping tens of
// megabytes costs the kernel milliseconds; once the drawing is read, that
// can pass while the picture is written. The release waits for the thread.
#include <cstddef>
#include <memory>
#include <thread>

#include "karvex/file_mapping.h"

namespace karvex::tools {

class MappingRelease {
 public:
  // Mappings smaller than this are let go at once: a thread would cost more.
  static constexpr std::size_t kBackgroundFrom = std::size_t{4} << 20;

  explicit MappingRelease(std::unique_ptr<FileMapping> mapping);
  ~MappingRelease();
  MappingRelease(const MappingRelease&) = delete;
  MappingRelease& operator=(const MappingRelease&) = delete;

 private:
  std::thread thread_;
};

}  // namespace karvex::tools
