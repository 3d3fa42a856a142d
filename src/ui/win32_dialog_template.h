#pragma once
// An in-memory dialog template (DLGTEMPLATE and its DLGITEMTEMPLATE items),
// built item by item. Positions are dialog units, as the template wants.
#include <windows.h>

#include <string>
#include <vector>

namespace karvex {

class DialogTemplate {
 public:
  struct Frame {
    short x, y, cx, cy;
  };
  // Predefined window classes, by their atoms.
  static constexpr WORD kButtonClass = 0x0080;
  static constexpr WORD kEditClass = 0x0081;
  static constexpr WORD kStaticClass = 0x0082;

  DialogTemplate(DWORD style, DWORD exStyle, Frame frame, const std::wstring& title, WORD fontPoints,
                 const std::wstring& fontFace);

  void AddItem(DWORD style, DWORD exStyle, Frame frame, WORD id, WORD classAtom, const std::wstring& text);
  void AddItem(DWORD style, DWORD exStyle, Frame frame, WORD id, const std::wstring& className,
               const std::wstring& text);

  // Valid until the next AddItem.
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void AlignToDword();
  void AddDword(DWORD value);
  void AddFrame(Frame frame);
  void AddString(const std::wstring& text);
  void AddItemHeader(DWORD style, DWORD exStyle, Frame frame, WORD id);
  void AddItemTail(const std::wstring& text);

  std::vector<WORD> words_;  // a vector's storage is aligned for any WORD or DWORD
  std::size_t countAt_ = 0;  // where the item count stands
};

}  // namespace karvex
