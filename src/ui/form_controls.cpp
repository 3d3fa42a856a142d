#include "ui/form_controls.h"

#include <array>

namespace karvex {
namespace {

constexpr std::array<std::string_view, 48> kControlNames = {
    "None",
    "PageControl1",
    "TabSheet1",
    "GroupBox1",
    "Label3",
    "Edit1",
    "Label13",
    "Edit2",
    "CheckBox5",
    "Button1",
    "GroupBox3",
    "CheckBox1",
    "CheckBox2",
    "CheckBox3",
    "GroupBox4",
    "RadioButton1",
    "RadioButton2",
    "RadioButton3",
    "TabSheet2",
    "GroupBox2",
    "Label5",
    "Label6",
    "Label7",
    "Label8",
    "Label9",
    "Label10",
    "Shape2",
    "Shape3",
    "Shape4",
    "Shape5",
    "Shape6",
    "Shape7",
    "Button5",
    "Button6",
    "Button7",
    "Button8",
    "Button9",
    "Button10",
    "Bevel1",
    "Label11",
    "Shape1",
    "Button11",
    "Label12",
    "Shape8",
    "Button12",
    "Button2",
    "Button3",
    "Button4",
};
static_assert(kControlNames.size() == static_cast<std::size_t>(FormControl::Button4) + 1);

}  // namespace

FormControl ControlFromId(int id) {
  const int index = id - ControlId(FormControl::None);
  if (index <= 0 || index >= static_cast<int>(kControlNames.size())) return FormControl::None;
  return static_cast<FormControl>(index);
}

std::string_view ControlName(FormControl control) {
  const auto index = static_cast<std::size_t>(control);
  return index < kControlNames.size() ? kControlNames[index] : kControlNames[0];
}

}  // namespace karvex
