#pragma once
// One block of host memory from its allocation until the host gets it: the
// one owner of the block on every path a request can take. Handed over, the
// block is the host's; otherwise it is unlocked and freed with this object.
#include <cstddef>

#include "plugin/host_memory.h"

namespace karvex {

class HostBlock {
 public:
  explicit HostBlock(HostMemory& memory) : memory_(memory) {}
  ~HostBlock();
  HostBlock(const HostBlock&) = delete;
  HostBlock& operator=(const HostBlock&) = delete;

  // A new zero-initialised block of bytes; false when there is no memory
  // for it.
  bool Allocate(std::size_t bytes);
  // The block's address, locked until Unlock or HandOver; null when it
  // cannot be locked.
  void* Lock();
  void Unlock();
  // The block, unlocked, for the host, who frees it from now on.
  HostHandle HandOver();

 private:
  HostMemory& memory_;
  HostHandle handle_ = nullptr;
  bool locked_ = false;
};

}  // namespace karvex
