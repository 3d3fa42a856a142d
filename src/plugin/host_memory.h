#pragma once
// Memory handed to the host: movable, zero-initialised blocks that the host
// owns and frees once a request succeeds. LocalAlloc in the DLL; a portable
// stand-in natively, so the whole pipeline runs in native tests.
#include <cstddef>
#include <cstdint>

namespace karvex {

using HostHandle = void*;  // HLOCAL on Windows

class HostMemory {
 public:
  virtual ~HostMemory() = default;
  // A new zero-initialised block, or null when there is no memory for it.
  virtual HostHandle Allocate(std::size_t bytes) = 0;
  virtual void* Lock(HostHandle handle) = 0;
  virtual void Unlock(HostHandle handle) = 0;
  virtual void Free(HostHandle handle) = 0;
  virtual std::size_t SizeOf(HostHandle handle) = 0;
};

// Blocks on the C heap, with a count of live blocks so that tests can see
// that nothing leaks and that a failed request leaves nothing behind.
class PortableHostMemory final : public HostMemory {
 public:
  HostHandle Allocate(std::size_t bytes) override;
  void* Lock(HostHandle handle) override;
  void Unlock(HostHandle handle) override;
  void Free(HostHandle handle) override;
  std::size_t SizeOf(HostHandle handle) override;

  std::int64_t LiveBlocks() const { return liveBlocks_; }
  std::int32_t LockCount(HostHandle handle) const;

 private:
  std::int64_t liveBlocks_ = 0;
};

}  // namespace karvex
