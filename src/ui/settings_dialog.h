#pragma once
// The modal dialog behind ConfigurationDlg. The Win32 view implements it in
// the DLL; natively there is none (the converter has its own config command).
#include <cstdint>

#include "settings/settings.h"

namespace karvex {

using WindowHandle = void*;  // HWND on Windows

class SettingsDialog {
 public:
  virtual ~SettingsDialog() = default;
  // Shows the dialog over parent until it closes. OK changes the size and
  // alignment of settings in memory; Cancel changes nothing. Returns 0; a
  // dialog that cannot be shown, or fails while open, raises a failure.
  virtual std::int32_t ShowSettingsDialog(WindowHandle parent, Settings& settings) = 0;
};

}  // namespace karvex
