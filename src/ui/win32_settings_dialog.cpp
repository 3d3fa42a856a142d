#include "ui/win32_settings_dialog.h"

#include "ui/win32_settings_view.h"

namespace karvex {

std::int32_t Win32SettingsDialog::ShowSettingsDialog(WindowHandle parent, Settings& settings) {
  Win32SettingsView form(instance_, static_cast<HWND>(parent), settings);
  Win32SettingsView* const outer = SettingsForm;
  SettingsForm = &form;
  struct Restore {
    Win32SettingsView*& slot;
    Win32SettingsView* previous;
    ~Restore() { slot = previous; }
  } restore{SettingsForm, outer};
  form.RunModal();
  return 0;
}

}  // namespace karvex
