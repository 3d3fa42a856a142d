#pragma once
// The form's texts are code page 932 bytes; the dialog's windows are
// Unicode, so Japanese shows whatever the system's ANSI code page is.
#include <windows.h>

#include <string>
#include <string_view>

namespace karvex {

std::wstring WideFromCp932(std::string_view text);
// Characters code page 932 lacks become '?'.
std::string Cp932FromWide(std::wstring_view text);
// A window's whole text, in code page 932.
std::string WindowTextCp932(HWND window);

}  // namespace karvex
