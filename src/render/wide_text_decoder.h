#pragma once
// Text bytes in a Windows code page (UTF-8 as 65001), read by the platform's
// own converter: how the plug-in reads the texts of a drawing that says its
// encoding, whatever code page the system runs in.
#include <windows.h>

#include <string>

#include "render/text_decoder.h"

namespace karvex {

class WideTextDecoder final : public TextDecoder {
 public:
  explicit WideTextDecoder(UINT codePage) : codePage_(codePage) {}

  // Bytes that name no character give the platform's replacement.
  void Decode(std::string_view text, std::u32string& out) override;

 private:
  UINT codePage_;
  std::wstring wide_;
};

// The characters as UTF-16, for the platform's wide-character calls.
void AppendUtf16(const std::u32string& characters, std::wstring& out);

}  // namespace karvex
