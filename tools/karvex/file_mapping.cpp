#include "karvex/file_mapping.h"

#include <sys/mman.h>

namespace karvex::tools {

std::unique_ptr<FileMapping> FileMapping::Map(int fd, std::size_t size) {
  // The whole text is read front to back at once: the kernel may read it
  // all ahead. Its pages are mapped as the reading first touches them, not
  // all before it starts: with a second thread reading ahead, that work is
  // spread over both processors instead of holding up the start.
  void* address = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  if (address == MAP_FAILED) return nullptr;
  ::madvise(address, size, MADV_SEQUENTIAL);
  ::madvise(address, size, MADV_WILLNEED);
  return std::unique_ptr<FileMapping>(new FileMapping(address, size));
}

FileMapping::~FileMapping() { ::munmap(address_, size_); }

}  // namespace karvex::tools
