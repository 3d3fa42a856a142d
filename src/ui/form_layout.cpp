#include "ui/form_layout.h"

#include <array>

#include "ui/form_texts.h"

namespace karvex {
namespace {

using enum FormControl;
using K = ControlKind;
namespace t = form_texts;

constexpr std::array kLayout = {
    ControlLayout{PageControl1, K::PageControl, None, nullptr, 4, 4, 321, 221},
    ControlLayout{TabSheet1, K::TabSheet, PageControl1, t::kTabSheet1Caption, 0, 0, 0, 0},
    ControlLayout{GroupBox1, K::GroupBox, TabSheet1, t::kGroupBox1Caption, 4, 4, 305, 49},
    ControlLayout{Label3, K::Label, GroupBox1, t::kLabel3Caption, 8, 20, 0, 0},
    ControlLayout{Edit1, K::Edit, GroupBox1, nullptr, 24, 16, 45, 20},
    ControlLayout{Label13, K::Label, GroupBox1, t::kLabel13Caption, 76, 20, 0, 0},
    ControlLayout{Edit2, K::Edit, GroupBox1, nullptr, 104, 16, 45, 20},
    ControlLayout{Button1, K::PushButton, GroupBox1, t::kDefaultButtonCaption, 244, 16, 53, 21},
    ControlLayout{CheckBox5, K::CheckBox, GroupBox1, t::kCheckBox5Caption, 160, 18, 77, 17},
    ControlLayout{GroupBox3, K::GroupBox, TabSheet1, t::kGroupBox3Caption, 4, 60, 133, 129},
    ControlLayout{CheckBox1, K::CheckBox, GroupBox3, t::kCheckBox1Caption, 8, 16, 117, 17},
    ControlLayout{CheckBox2, K::CheckBox, GroupBox3, t::kCheckBox2Caption, 8, 36, 117, 17},
    // A character longer than the two above: as wide as the group box lets it be.
    ControlLayout{CheckBox3, K::CheckBox, GroupBox3, t::kCheckBox3Caption, 8, 56, 121, 17},
    ControlLayout{GroupBox4, K::GroupBox, TabSheet1, t::kGroupBox4Caption, 144, 60, 165, 129},
    ControlLayout{RadioButton1, K::RadioButton, GroupBox4, t::kRadioButton1Caption, 8, 16, 149, 17},
    ControlLayout{RadioButton2, K::RadioButton, GroupBox4, t::kRadioButton2Caption, 8, 36, 149, 17},
    ControlLayout{RadioButton3, K::RadioButton, GroupBox4, t::kRadioButton3Caption, 8, 56, 149, 17},
    ControlLayout{TabSheet2, K::TabSheet, PageControl1, t::kTabSheet2Caption, 0, 0, 0, 0, true, true},
    ControlLayout{GroupBox2, K::GroupBox, TabSheet2, t::kGroupBox2Caption, 4, 4, 305, 185},
    ControlLayout{Label5, K::Label, GroupBox2, t::kLabel5Caption, 8, 20, 0, 0},
    ControlLayout{Shape2, K::Swatch, GroupBox2, nullptr, 44, 16, 40, 20, true, false, 2},
    ControlLayout{Button5, K::PushButton, GroupBox2, t::kChangeButtonCaption, 88, 16, 37, 21, true, false, 2},
    ControlLayout{Label6, K::Label, GroupBox2, t::kLabel6Caption, 8, 48, 0, 0},
    ControlLayout{Shape3, K::Swatch, GroupBox2, nullptr, 44, 44, 40, 20, true, false, 3},
    ControlLayout{Button6, K::PushButton, GroupBox2, t::kChangeButtonCaption, 88, 44, 37, 21, true, false, 3},
    ControlLayout{Label7, K::Label, GroupBox2, t::kLabel7Caption, 8, 76, 0, 0},
    ControlLayout{Shape4, K::Swatch, GroupBox2, nullptr, 44, 72, 40, 20, true, false, 4},
    ControlLayout{Button7, K::PushButton, GroupBox2, t::kChangeButtonCaption, 88, 72, 37, 21, true, false, 4},
    ControlLayout{Label8, K::Label, GroupBox2, t::kLabel8Caption, 8, 104, 0, 0},
    ControlLayout{Shape5, K::Swatch, GroupBox2, nullptr, 44, 100, 40, 20, true, false, 5},
    ControlLayout{Button8, K::PushButton, GroupBox2, t::kChangeButtonCaption, 88, 100, 37, 21, true, false, 5},
    ControlLayout{Label9, K::Label, GroupBox2, t::kLabel9Caption, 8, 132, 0, 0},
    ControlLayout{Shape6, K::Swatch, GroupBox2, nullptr, 44, 128, 40, 20, true, false, 6},
    ControlLayout{Button9, K::PushButton, GroupBox2, t::kChangeButtonCaption, 88, 128, 37, 21, true, false, 6},
    ControlLayout{Label10, K::Label, GroupBox2, t::kLabel10Caption, 8, 160, 0, 0},
    ControlLayout{Shape7, K::Swatch, GroupBox2, nullptr, 44, 156, 40, 20, true, false, 7},
    ControlLayout{Button10, K::PushButton, GroupBox2, t::kChangeButtonCaption, 88, 156, 37, 21, true, false, 7},
    ControlLayout{Bevel1, K::Bevel, GroupBox2, nullptr, 132, 12, 5, 161},
    ControlLayout{Label11, K::Label, GroupBox2, t::kLabel11Caption, 140, 20, 0, 0},
    ControlLayout{Shape1, K::Swatch, GroupBox2, nullptr, 180, 16, 40, 20, true, false, 1},
    ControlLayout{Button11, K::PushButton, GroupBox2, t::kChangeButtonCaption, 224, 16, 37, 21, true, false, 1},
    ControlLayout{Label12, K::Label, GroupBox2, t::kLabel12Caption, 140, 44, 0, 0},
    ControlLayout{Shape8, K::Swatch, GroupBox2, nullptr, 180, 40, 40, 20, true, false, 8},
    ControlLayout{Button12, K::PushButton, GroupBox2, t::kChangeButtonCaption, 224, 40, 37, 21, true, false, 8},
    ControlLayout{Button2, K::PushButton, GroupBox2, t::kDefaultButtonCaption, 172, 156, 67, 21},
    ControlLayout{Button3, K::PushButton, None, t::kOkCaption, 156, 232, 65, 25},
    ControlLayout{Button4, K::PushButton, None, t::kCancelCaption, 228, 232, 65, 25},
};

}  // namespace

std::span<const ControlLayout> FormLayout() { return kLayout; }

const ControlLayout* FindLayout(FormControl control) {
  for (const ControlLayout& entry : kLayout) {
    if (entry.control == control) return &entry;
  }
  return nullptr;
}

}  // namespace karvex
