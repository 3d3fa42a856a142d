#include "karvex/mapping_release.h"

#include <system_error>
#include <utility>

#include "base/processor_placement.h"

namespace karvex::tools {

MappingRelease::MappingRelease(std::unique_ptr<FileMapping> mapping) {
  if (mapping == nullptr || mapping->Bytes().size() < kBackgroundFrom) return;
  try {
    // Unmapped beside the writing, not on its processor.
    thread_ = StartBeside([held = std::move(mapping)]() mutable { held.reset(); });
  } catch (const std::system_error&) {
    // No thread to be had: the mapping goes here, as it would have anyway.
  }
}

MappingRelease::~MappingRelease() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace karvex::tools
