#pragma once
// The Win32 settings dialog behind ConfigurationDlg.
#include <windows.h>

#include "ui/settings_dialog.h"

namespace karvex {

class Win32SettingsView;

class Win32SettingsDialog final : public SettingsDialog {
 public:
  explicit Win32SettingsDialog(HINSTANCE instance) : instance_(instance) {}
  // A new form for every call, shown modally over parent and destroyed when
  // it closes. Returns 0 whichever way it was closed.
  std::int32_t ShowSettingsDialog(WindowHandle parent, Settings& settings) override;

 private:
  HINSTANCE instance_;
  Win32SettingsView* SettingsForm = nullptr;  // the form while it is open
};

}  // namespace karvex
