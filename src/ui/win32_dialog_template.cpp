#include "ui/win32_dialog_template.h"

namespace karvex {

DialogTemplate::DialogTemplate(DWORD style, DWORD exStyle, Frame frame, const std::wstring& title, WORD fontPoints,
                               const std::wstring& fontFace) {
  AddDword(style | DS_SETFONT);
  AddDword(exStyle);
  countAt_ = words_.size();
  words_.push_back(0);  // items, counted as they come
  AddFrame(frame);
  words_.push_back(0);  // no menu
  words_.push_back(0);  // the predefined dialog class
  AddString(title);
  words_.push_back(fontPoints);
  AddString(fontFace);
}

void DialogTemplate::AddItem(DWORD style, DWORD exStyle, Frame frame, WORD id, WORD classAtom, const std::wstring& text) {
  AddItemHeader(style, exStyle, frame, id);
  words_.push_back(0xFFFF);
  words_.push_back(classAtom);
  AddItemTail(text);
}

void DialogTemplate::AddItem(DWORD style, DWORD exStyle, Frame frame, WORD id, const std::wstring& className,
                             const std::wstring& text) {
  AddItemHeader(style, exStyle, frame, id);
  AddString(className);
  AddItemTail(text);
}

void DialogTemplate::AddItemHeader(DWORD style, DWORD exStyle, Frame frame, WORD id) {
  AlignToDword();
  AddDword(style);
  AddDword(exStyle);
  AddFrame(frame);
  words_.push_back(id);
  ++words_[countAt_];
}

void DialogTemplate::AddItemTail(const std::wstring& text) {
  AddString(text);
  words_.push_back(0);  // no creation data
}

void DialogTemplate::AlignToDword() {
  if (words_.size() % 2 != 0) words_.push_back(0);
}

void DialogTemplate::AddDword(DWORD value) {
  words_.push_back(LOWORD(value));
  words_.push_back(HIWORD(value));
}

void DialogTemplate::AddFrame(Frame frame) {
  for (short value : {frame.x, frame.y, frame.cx, frame.cy}) words_.push_back(static_cast<WORD>(value));
}

void DialogTemplate::AddString(const std::wstring& text) {
  for (wchar_t c : text) words_.push_back(static_cast<WORD>(c));
  words_.push_back(0);
}

}  // namespace karvex
