#include "karvex/file_mapping.h"

#include <sys/mman.h>

namespace karvex::tools {

std::unique_ptr<FileMapping> FileMapping::Map(int fd, std::size_t size) {
  // The whole text is read front to back at once: map every page now, and
  // let the kernel read ahead.
  void* address = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
  if (address == MAP_FAILED) return nullptr;
  ::madvise(address, size, MADV_SEQUENTIAL);
  return std::unique_ptr<FileMapping>(new FileMapping(address, size));
}

FileMapping::~FileMapping() { ::munmap(address_, size_); }

}  // namespace karvex::tools
