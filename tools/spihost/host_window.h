#pragma once
// A plain top-level window that spihost hands to ConfigurationDlg as the
// parent, as a viewer hands over its main window.
#include <windows.h>

namespace karvex::tools {

class HostWindow {
 public:
  static constexpr int kLeft = 60;
  static constexpr int kTop = 50;
  static constexpr int kWidth = 520;
  static constexpr int kHeight = 400;

  HostWindow();
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND Handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};

}  // namespace karvex::tools
