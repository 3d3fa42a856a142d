#pragma once
// The Win32 view of the settings dialog.
#include <windows.h>

#include "ui/settings_dialog.h"

namespace karvex {

class Win32SettingsDialog final : public SettingsDialog {
 public:
  explicit Win32SettingsDialog(HINSTANCE instance) : instance_(instance) {}
  std::int32_t ShowSettingsDialog(WindowHandle parent, Settings& settings) override;

 private:
  HINSTANCE instance_;
};

}  // namespace karvex
