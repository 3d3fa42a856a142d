#pragma once
// TForm1: the settings form without a toolkit. It holds what the controls
// show (the two size fields, where the focus is, the paper-ratio box, the
// option boxes, the alignment buttons, the colour swatches and whether their
// page's tab is shown) and carries out every event handler; a view forwards
// its controls' notifications here and copies the form's state back onto
// them. Texts are code page 932 byte strings.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/settings.h"
#include "ui/form_controls.h"

namespace karvex {

using ColorValue = std::uint32_t;  // 0x00BBGGRR

// What the form needs from the toolkit that shows it.
class SettingsFormHost {
 public:
  // A modal message box with an OK button, centred on the screen; returns
  // once the user has dismissed it.
  virtual void ShowMessage(const std::string& text) = 0;
  // A handler moved the keyboard focus into control: put it there.
  virtual void MoveFocus(FormControl control) = 0;
  // The platform's colour chooser, preset to colour. True, with colour
  // replaced by the choice, when the user confirms.
  virtual bool ChooseColor(ColorValue& colour) = 0;

 protected:
  ~SettingsFormHost() = default;
};

class TForm1 {
 public:
  // Typing stops at this many characters in a size field.
  static constexpr std::size_t kFieldLimit = 4;
  static constexpr std::string_view kDesignWidthText = "518";
  static constexpr std::string_view kDesignHeightText = "366";
  static constexpr ColorValue kSwatchDesignColor = 0xFFFFFF;

  enum class Outcome { Open, Ok, Cancel };

  // The form as designed; settings are only read until OK stores into them.
  TForm1(Settings& settings, SettingsFormHost& host);

  // --- Events and handlers under their design names ---
  void FormCreate();
  void FormShow();
  void Edit1Change();
  void Edit2Change();
  // Both fields' character filter: true lets key through to the field.
  bool Edit1KeyPress(char32_t key) const;
  void Edit1Exit();
  void Edit2Exit();
  void Button1Click();  // default size
  void Button2Click();  // default colours
  void Button3Click();  // OK
  void Button4Click();  // cancel; the close box too
  void Button5Click(int tag);  // the colour page's "change" buttons
  void Shape2MouseDown(int tag);  // the colour swatches

  // --- What the view reports ---
  // A size field (Edit1 or Edit2) now holds text. Only a real change runs
  // the field's change handler; handlers write fields through here as well.
  void SetText(FormControl field, std::string_view text);
  // The user moved the keyboard focus into control; leaving a size field
  // runs its exit handler.
  void FocusEntered(FormControl control);
  // The user ticked or cleared the paper-ratio box.
  void SetPaperRatio(bool ticked);
  // The user chose an alignment button (1 to 3).
  void ChooseMode(int mode);
  // The user ticked or cleared an option box: line types (CheckBox1), line
  // colours (CheckBox2), which also shows or hides the colour page's tab,
  // all entity kinds (CheckBox3).
  void SetLineTypes(bool ticked);
  void SetLineColours(bool ticked);
  void SetAllKinds(bool ticked);

  // A key typed into the focused size field, as a one-line field with the
  // caret at its end takes it: the filter, then backspace deletes the last
  // character and a digit is appended up to the limit. For toolkits (and
  // tests) without an edit control of their own.
  void TypeKey(char32_t key);
  // Text pasted over the whole focused size field: no filter, cut to the
  // limit as the field cuts it.
  void PasteOver(std::string_view text);

  // --- What the view shows ---
  const std::string& Text(FormControl field) const;
  FormControl Focused() const { return focused_; }
  bool PaperRatioTicked() const { return paperRatio_; }
  int SelectedMode() const { return selectedMode_; }
  static bool ModeEnabled(int mode) { return mode >= 1 && mode <= 3; }
  bool LineTypesTicked() const { return lineTypes_; }
  bool LineColoursTicked() const { return lineColours_; }
  bool AllKindsTicked() const { return allKinds_; }
  // The colour page's tab is shown while the line colours box is ticked.
  bool ColourPageShown() const { return lineColours_; }
  ColorValue SwatchColor(int tag) const;
  Outcome Result() const { return outcome_; }
  bool Closed() const { return outcome_ != Outcome::Open; }

 private:
  std::string& FieldText(FormControl field);
  // The other field's text from this field's number, when the link applies.
  void PropagateRatio(FormControl from, FormControl to);
  // Moves the focus as a handler does: the toolkit follows, and a size
  // field that loses it runs its exit handler.
  void MoveFocusTo(FormControl control, bool byHandler);
  void LeaveField(FormControl field, std::string_view designText);
  void ShowNotANumber(const std::string& text);
  void ChooseSwatchColor(int tag);

  Settings& settings_;
  SettingsFormHost& host_;
  std::string edit1Text_{kDesignWidthText};
  std::string edit2Text_{kDesignHeightText};
  FormControl focused_ = FormControl::None;
  bool paperRatio_ = true;
  bool lineTypes_ = false;
  bool lineColours_ = false;
  bool allKinds_ = false;
  int selectedMode_ = 1;
  std::array<ColorValue, 8> swatches_;  // tags 1..8
  ColorValue colorDialogColor_ = 0x000000;  // the chooser keeps its last colour
  Outcome outcome_ = Outcome::Open;
};

}  // namespace karvex
