#include "plugin/host_block.h"

namespace karvex {

HostBlock::~HostBlock() {
  if (handle_ == nullptr) return;
  Unlock();
  memory_.Free(handle_);
}

bool HostBlock::Allocate(std::size_t bytes) {
  handle_ = memory_.Allocate(bytes);
  return handle_ != nullptr;
}

void* HostBlock::Lock() {
  void* address = memory_.Lock(handle_);
  locked_ = address != nullptr;
  return address;
}

void HostBlock::Unlock() {
  if (!locked_) return;
  memory_.Unlock(handle_);
  locked_ = false;
}

HostHandle HostBlock::HandOver() {
  Unlock();
  HostHandle handed = handle_;
  handle_ = nullptr;
  return handed;
}

}  // namespace karvex
