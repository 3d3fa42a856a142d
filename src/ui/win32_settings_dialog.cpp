#include "ui/win32_settings_dialog.h"

namespace karvex {

// Shows nothing until the dialog lands.
std::int32_t Win32SettingsDialog::ShowSettingsDialog(WindowHandle, Settings&) { return 0; }

}  // namespace karvex
