#pragma once
// Host blocks as the host expects them: movable, zero-initialised local
// memory, returned unlocked.
#include "plugin/host_memory.h"

namespace karvex {

class LocalHostMemory final : public HostMemory {
 public:
  HostHandle Allocate(std::size_t bytes) override;
  void* Lock(HostHandle handle) override;
  void Unlock(HostHandle handle) override;
  void Free(HostHandle handle) override;
  std::size_t SizeOf(HostHandle handle) override;
};

}  // namespace karvex
