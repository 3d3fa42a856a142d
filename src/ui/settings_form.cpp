#include "ui/settings_form.h"

#include <cmath>
#include <optional>
#include <stdexcept>

#include "dxf/number_conversion.h"
#include "ui/form_texts.h"

namespace karvex {
namespace {

constexpr char32_t kBackspace = 8;
constexpr char32_t kEnter = 13;
constexpr char32_t kEscape = 27;

constexpr std::array<ColorValue, 8> kDefaultSwatchColors = {
    0x000000,  // tag 1: background
    0xFFFF00, 0xFFFFFF, 0x00FF00, 0x00FFFF, 0xFF00FF, 0xFF0000,  // tags 2..7: line colours 1..6
    0x0000FF,  // tag 8: text
};

bool IsSizeField(FormControl control) { return control == FormControl::Edit1 || control == FormControl::Edit2; }

// The paper-ratio partner of a side: N / √2 to the nearest integer. The
// quotient of a whole number by √2 is never a half, so the rounding mode
// cannot matter.
std::int32_t ShorterSide(std::int32_t side) {
  const long double quotient = static_cast<long double>(side) / std::sqrt(2.0L);
  return static_cast<std::int32_t>(std::llrint(quotient));
}

}  // namespace

// The settings' colours in swatch order (tags 1 to 8), and back.
constexpr std::int32_t Settings::*kSwatchSettings[8] = {
    &Settings::BackColor,  &Settings::LineColor1, &Settings::LineColor2, &Settings::LineColor3,
    &Settings::LineColor4, &Settings::LineColor5, &Settings::LineColor6, &Settings::TextColor,
};

TForm1::TForm1(Settings& settings, SettingsFormHost& host) : settings_(settings), host_(host) {
  swatches_.fill(kSwatchDesignColor);
}

void TForm1::FormCreate() {
  // Any other stored mode keeps the design-time choice.
  if (settings_.CenterPos >= 1 && settings_.CenterPos <= 3) selectedMode_ = settings_.CenterPos;
  lineTypes_ = settings_.LineTypes != 0;
  lineColours_ = settings_.LineColors != 0;
  allKinds_ = settings_.AllKinds != 0;
  for (std::size_t i = 0; i < swatches_.size(); ++i) {
    swatches_[i] = static_cast<ColorValue>(settings_.*kSwatchSettings[i]) & 0x00FFFFFFu;
  }
}

void TForm1::FormShow() {
  // The stored size is shown as it is, whatever its ratio: these writes do
  // not go through the change handlers.
  edit1Text_ = std::to_string(settings_.OutputWidth);
  edit2Text_ = std::to_string(settings_.OutputHeight);
  MoveFocusTo(FormControl::Edit2, true);
}

void TForm1::Edit1Change() { PropagateRatio(FormControl::Edit1, FormControl::Edit2); }

void TForm1::Edit2Change() { PropagateRatio(FormControl::Edit2, FormControl::Edit1); }

void TForm1::PropagateRatio(FormControl from, FormControl to) {
  // While the user types in one field the focus is there, so the write into
  // the other field stops at this test instead of echoing back.
  if (focused_ == to) return;
  if (!paperRatio_) return;
  const std::string& text = FieldText(from);
  if (text.empty()) return;
  const std::optional<std::int32_t> side = ParseInteger(text);
  if (!side) {
    ShowNotANumber(text);
    return;
  }
  SetText(to, std::to_string(ShorterSide(*side)));
}

bool TForm1::Edit1KeyPress(char32_t key) const {
  return key == kBackspace || key == kEnter || key == kEscape || (key >= U'0' && key <= U'9');
}

void TForm1::Edit1Exit() { LeaveField(FormControl::Edit1, kDesignWidthText); }

void TForm1::Edit2Exit() { LeaveField(FormControl::Edit2, kDesignHeightText); }

void TForm1::LeaveField(FormControl field, std::string_view designText) {
  if (!FieldText(field).empty()) return;  // a text of 0 is accepted
  host_.ShowMessage(form_texts::kInvalidNumberMessage);
  // The focus is back in the field before the reset, so the reset goes
  // through the paper-ratio link like typing there does.
  MoveFocusTo(field, true);
  SetText(field, designText);
}

void TForm1::Button1Click() {
  // Each write happens while the other field has the focus, so the link
  // stops at its focus test and the result is 640 × 453 ticked or not.
  MoveFocusTo(FormControl::Edit2, true);
  SetText(FormControl::Edit1, "640");
  MoveFocusTo(FormControl::Edit1, true);
  SetText(FormControl::Edit2, "453");
}

void TForm1::Button2Click() { swatches_ = kDefaultSwatchColors; }

void TForm1::Button3Click() {
  // Both fields must convert before anything is stored: a half-stored size
  // would reach the next picture.
  const std::optional<std::int32_t> width = ParseInteger(edit1Text_);
  if (!width) {
    ShowNotANumber(edit1Text_);
    return;
  }
  const std::optional<std::int32_t> height = ParseInteger(edit2Text_);
  if (!height) {
    ShowNotANumber(edit2Text_);
    return;
  }
  settings_.OutputWidth = *width;
  settings_.OutputHeight = *height;
  settings_.CenterPos = 1;
  if (selectedMode_ == 2) settings_.CenterPos = 2;
  if (selectedMode_ == 3) settings_.CenterPos = 3;
  settings_.LineTypes = lineTypes_ ? 1 : 0;
  settings_.LineColors = lineColours_ ? 1 : 0;
  settings_.AllKinds = allKinds_ ? 1 : 0;
  for (std::size_t i = 0; i < swatches_.size(); ++i) {
    settings_.*kSwatchSettings[i] = static_cast<std::int32_t>(swatches_[i]);
  }
  outcome_ = Outcome::Ok;
}

void TForm1::Button4Click() { outcome_ = Outcome::Cancel; }

void TForm1::Button5Click(int tag) { ChooseSwatchColor(tag); }

void TForm1::Shape2MouseDown(int tag) { ChooseSwatchColor(tag); }

void TForm1::ChooseSwatchColor(int tag) {
  const bool known = tag >= 1 && tag <= 8;
  if (known) colorDialogColor_ = swatches_[static_cast<std::size_t>(tag - 1)];
  ColorValue chosen = colorDialogColor_;
  if (!host_.ChooseColor(chosen)) return;
  colorDialogColor_ = chosen;
  if (known) swatches_[static_cast<std::size_t>(tag - 1)] = chosen;
}

void TForm1::SetText(FormControl field, std::string_view text) {
  std::string& current = FieldText(field);
  if (current == text) return;
  current = text;
  if (field == FormControl::Edit1) {
    Edit1Change();
  } else {
    Edit2Change();
  }
}

void TForm1::FocusEntered(FormControl control) { MoveFocusTo(control, false); }

void TForm1::MoveFocusTo(FormControl control, bool byHandler) {
  if (control == focused_) return;
  const FormControl left = focused_;
  focused_ = control;
  if (byHandler) host_.MoveFocus(control);
  if (left == FormControl::Edit1) Edit1Exit();
  if (left == FormControl::Edit2) Edit2Exit();
}

void TForm1::SetPaperRatio(bool ticked) { paperRatio_ = ticked; }

void TForm1::ChooseMode(int mode) {
  if (ModeEnabled(mode)) selectedMode_ = mode;
}

void TForm1::SetLineTypes(bool ticked) { lineTypes_ = ticked; }

void TForm1::SetLineColours(bool ticked) { lineColours_ = ticked; }

void TForm1::SetAllKinds(bool ticked) { allKinds_ = ticked; }

void TForm1::TypeKey(char32_t key) {
  if (!IsSizeField(focused_) || !Edit1KeyPress(key)) return;
  std::string text = FieldText(focused_);
  if (key == kBackspace) {
    if (!text.empty()) text.pop_back();
  } else if (key >= U'0' && key <= U'9') {
    if (text.size() >= kFieldLimit) return;
    text += static_cast<char>(key);
  } else {
    return;  // Enter and Escape reach the field and change nothing
  }
  SetText(focused_, text);
}

void TForm1::PasteOver(std::string_view text) {
  if (!IsSizeField(focused_)) return;
  SetText(focused_, text.substr(0, kFieldLimit));
}

const std::string& TForm1::Text(FormControl field) const {
  return field == FormControl::Edit1 ? edit1Text_ : edit2Text_;
}

std::string& TForm1::FieldText(FormControl field) {
  if (!IsSizeField(field)) throw std::logic_error("not a size field");
  return field == FormControl::Edit1 ? edit1Text_ : edit2Text_;
}

ColorValue TForm1::SwatchColor(int tag) const {
  if (tag < 1 || tag > 8) return kSwatchDesignColor;
  return swatches_[static_cast<std::size_t>(tag - 1)];
}

void TForm1::ShowNotANumber(const std::string& text) {
  const std::string_view pattern = form_texts::kNotANumberMessage;
  const std::size_t slot = pattern.find("%s");
  std::string message(pattern.substr(0, slot));
  message += text;
  message += pattern.substr(slot + 2);
  host_.ShowMessage(message);
}

}  // namespace karvex
