#include "ui/win32_text.h"

#include <vector>

namespace karvex {
namespace {

constexpr UINT kShiftJis = 932;

}  // namespace

std::wstring WideFromCp932(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(kShiftJis, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(kShiftJis, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string Cp932FromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(kShiftJis, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kShiftJis, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

std::string WindowTextCp932(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, buffer.data(), length + 1);
  return Cp932FromWide(std::wstring_view(buffer.data(), static_cast<std::size_t>(got > 0 ? got : 0)));
}

}  // namespace karvex
