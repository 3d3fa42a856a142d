#pragma once
// An X server of the test run's own (Xvfb) for the Windows programs' windows:
// started on a display number nobody uses, stopped with the object.
#include <sys/types.h>

#include <string>

namespace karvex::testing {

class VirtualDisplay {
 public:
  // Throws when no X server could be started.
  VirtualDisplay();
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  // The value for DISPLAY, e.g. ":153".
  const std::string& Name() const { return name_; }

 private:
  bool TryStart(int number);

  pid_t pid_ = -1;
  std::string name_;
};

}  // namespace karvex::testing
