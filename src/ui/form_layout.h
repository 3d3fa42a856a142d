#pragma once
// Where the settings form's controls stand, in pixels at 96 dots per inch,
// each relative to its parent's client area, with its caption and its
// design-time state. A view turns this table into windows.
#include <span>

#include "ui/form_controls.h"

namespace karvex {

enum class ControlKind { PageControl, TabSheet, GroupBox, Label, Edit, CheckBox, PushButton, RadioButton, Swatch, Bevel };

struct ControlLayout {
  FormControl control;
  ControlKind kind;
  FormControl parent;    // None: the form itself
  const char* caption;   // code page 932; null when the control has none
  int left;
  int top;
  int width;   // labels: 0, they take the size of their caption
  int height;
  bool enabled = true;
  bool tabHidden = false;  // a page whose tab shows only while the form wants it (ColourPageShown)
  int tag = 0;             // the colour page: which colour (1 to 8)
};

inline constexpr int kFormClientWidth = 330;
inline constexpr int kFormClientHeight = 262;
inline constexpr int kFormFontHeight = 12;  // pixels, Shift-JIS character set
// Where the form stands relative to the top-left corner of its parent window.
inline constexpr int kFormOffsetX = 10;
inline constexpr int kFormOffsetY = 30;

// Every control, parents before their children, in keyboard tab order.
std::span<const ControlLayout> FormLayout();
// The entry of one control; null for FormControl::None.
const ControlLayout* FindLayout(FormControl control);

}  // namespace karvex
