#pragma once
// The controls of the settings form under their design names. The model
// names the ones it speaks about; the layout places all of them; a toolkit
// view gives each a window.
#include <cstdint>
#include <string_view>

namespace karvex {

enum class FormControl : std::uint16_t {
  None,
  PageControl1,
  TabSheet1,
  GroupBox1,
  Label3,
  Edit1,  // width
  Label13,
  Edit2,  // height
  CheckBox5,  // paper-ratio link
  Button1,    // default size
  GroupBox3,
  CheckBox1,
  CheckBox2,
  CheckBox3,  // all entity kinds
  GroupBox4,
  RadioButton1,
  RadioButton2,
  RadioButton3,
  TabSheet2,  // the colour page; its tab is hidden
  GroupBox2,
  Label5,
  Label6,
  Label7,
  Label8,
  Label9,
  Label10,
  Shape2,
  Shape3,
  Shape4,
  Shape5,
  Shape6,
  Shape7,
  Button5,
  Button6,
  Button7,
  Button8,
  Button9,
  Button10,
  Bevel1,
  Label11,
  Shape1,
  Button11,
  Label12,
  Shape8,
  Button12,
  Button2,  // default colours
  Button3,  // OK
  Button4,  // cancel
};

// The window identifier a toolkit gives each control: clear of the dialog
// manager's IDOK and IDCANCEL, so that Enter and Escape press nothing.
constexpr int ControlId(FormControl control) { return 1000 + static_cast<int>(control); }
// The control of an identifier; None for anything else.
FormControl ControlFromId(int id);

// The design name ("Edit1"); "None" for None.
std::string_view ControlName(FormControl control);

}  // namespace karvex
