#include <cstdlib>
#include <new>

#include "plugin/host_memory.h"

namespace karvex {
namespace {

// Each block starts with this header; the handle is the header's address.
struct alignas(std::max_align_t) BlockHeader {
  std::size_t bytes;
  std::int32_t locks;
};

BlockHeader* HeaderOf(HostHandle handle) { return static_cast<BlockHeader*>(handle); }

}  // namespace

HostHandle PortableHostMemory::Allocate(std::size_t bytes) {
  if (bytes > static_cast<std::size_t>(PTRDIFF_MAX) - sizeof(BlockHeader)) return nullptr;
  void* raw = std::calloc(1, sizeof(BlockHeader) + bytes);
  if (raw == nullptr) return nullptr;
  auto* header = new (raw) BlockHeader{bytes, 0};
  ++liveBlocks_;
  return header;
}

void* PortableHostMemory::Lock(HostHandle handle) {
  if (handle == nullptr) return nullptr;
  BlockHeader* header = HeaderOf(handle);
  ++header->locks;
  return header + 1;
}

void PortableHostMemory::Unlock(HostHandle handle) {
  if (handle != nullptr && HeaderOf(handle)->locks > 0) --HeaderOf(handle)->locks;
}

void PortableHostMemory::Free(HostHandle handle) {
  if (handle == nullptr) return;
  std::free(handle);
  --liveBlocks_;
}

std::size_t PortableHostMemory::SizeOf(HostHandle handle) {
  return handle == nullptr ? 0 : HeaderOf(handle)->bytes;
}

std::int32_t PortableHostMemory::LockCount(HostHandle handle) const {
  return handle == nullptr ? 0 : HeaderOf(handle)->locks;
}

}  // namespace karvex
