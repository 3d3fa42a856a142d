#include "spihost/host_window.h"

namespace karvex::tools {
namespace {

constexpr wchar_t kClassName[] = L"SpihostParentWindow";

}  // namespace

HostWindow::HostWindow() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);
  window_ = CreateWindowExW(0, kClassName, L"spihost", WS_OVERLAPPEDWINDOW, kLeft, kTop, kWidth, kHeight, nullptr,
                            nullptr, instance, nullptr);
  if (window_ == nullptr) return;
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
}

HostWindow::~HostWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

}  // namespace karvex::tools
