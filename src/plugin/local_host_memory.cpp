#include "plugin/local_host_memory.h"

#include <windows.h>

namespace karvex {

HostHandle LocalHostMemory::Allocate(std::size_t bytes) { return LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, bytes); }

void* LocalHostMemory::Lock(HostHandle handle) { return LocalLock(static_cast<HLOCAL>(handle)); }

void LocalHostMemory::Unlock(HostHandle handle) { LocalUnlock(static_cast<HLOCAL>(handle)); }

void LocalHostMemory::Free(HostHandle handle) { LocalFree(static_cast<HLOCAL>(handle)); }

std::size_t LocalHostMemory::SizeOf(HostHandle handle) { return LocalSize(static_cast<HLOCAL>(handle)); }

}  // namespace karvex
