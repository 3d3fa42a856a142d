// The settings form without a toolkit: what the user sees and what OK
// stores, driven the way a view drives it (focus changes, typed keys,
// pasted text, button clicks).
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/form_texts.h"
#include "ui/settings_form.h"

namespace karvex {
namespace {

using enum FormControl;

class RecordingHost final : public SettingsFormHost {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void MoveFocus(FormControl control) override { focusMoves.push_back(control); }
  bool ChooseColor(ColorValue& colour) override {
    presets.push_back(colour);
    const std::optional<ColorValue> answer = answers.empty() ? std::nullopt : answers.front();
    if (!answers.empty()) answers.pop_front();
    if (answer) colour = *answer;
    return answer.has_value();
  }

  std::vector<std::string> messages;
  std::vector<FormControl> focusMoves;
  std::deque<std::optional<ColorValue>> answers;  // nullopt: the user cancels
  std::vector<ColorValue> presets;
};

std::string NotANumber(const std::string& text) {
  std::string message = form_texts::kNotANumberMessage;
  return message.replace(message.find("%s"), 2, text);
}

class SettingsFormTest : public ::testing::Test {
 protected:
  void Open(Settings stored = {}) {
    settings = stored;
    form = std::make_unique<TForm1>(settings, host);
    form->FormCreate();
    form->FormShow();
  }

  // The user clicks into a field, deletes what it holds and types keys.
  void Retype(FormControl field, std::u32string_view keys) {
    form->FocusEntered(field);
    while (!form->Text(field).empty()) form->TypeKey(8);
    for (char32_t key : keys) form->TypeKey(key);
  }

  // The texts of both fields after each key typed into field.
  std::vector<std::string> TypeEach(FormControl field, std::u32string_view keys) {
    const FormControl other = field == Edit1 ? Edit2 : Edit1;
    std::vector<std::string> seen;
    for (char32_t key : keys) {
      form->TypeKey(key);
      seen.push_back(form->Text(field) + "/" + form->Text(other));
    }
    return seen;
  }

  Settings settings;
  RecordingHost host;
  std::unique_ptr<TForm1> form;
};

TEST_F(SettingsFormTest, OpensShowingTheStoredSizeWhateverItsRatio) {
  struct Case {
    std::int32_t width, height;
  };
  for (const Case c : {Case{640, 453}, Case{800, 600}, Case{0, 9999}, Case{-5, 12345}}) {
    host = RecordingHost();
    Settings stored;
    stored.OutputWidth = c.width;
    stored.OutputHeight = c.height;
    Open(stored);
    EXPECT_EQ(form->Text(Edit1), std::to_string(c.width));
    EXPECT_EQ(form->Text(Edit2), std::to_string(c.height));
    EXPECT_EQ(form->Focused(), Edit2);
    EXPECT_EQ(host.focusMoves, std::vector<FormControl>{Edit2});
    EXPECT_TRUE(host.messages.empty());
  }
  EXPECT_TRUE(form->PaperRatioTicked());
  EXPECT_EQ(form->SelectedMode(), 1);
  for (int mode = 1; mode <= 3; ++mode) EXPECT_TRUE(TForm1::ModeEnabled(mode)) << mode;
  EXPECT_FALSE(form->LineTypesTicked());
  EXPECT_FALSE(form->LineColoursTicked());
  EXPECT_FALSE(form->AllKindsTicked());
  EXPECT_FALSE(form->ColourPageShown());
}

// The option boxes and the swatches show the stored settings; ticking the
// line colours box shows the colour page's tab.
TEST_F(SettingsFormTest, OpensShowingTheStoredOptionsAndColours) {
  Settings stored;
  stored.LineTypes = 1;
  stored.LineColors = 7;  // anything but 0 is ticked
  stored.AllKinds = -1;
  stored.BackColor = 0x123456;
  stored.TextColor = 0x7F00FF00;  // no more than a colour
  Open(stored);
  EXPECT_TRUE(form->LineTypesTicked());
  EXPECT_TRUE(form->LineColoursTicked());
  EXPECT_TRUE(form->AllKindsTicked());
  EXPECT_TRUE(form->ColourPageShown());
  const ColorValue shown[] = {0x123456, 0xFFFF00, 0xFFFFFF, 0x00FF00, 0x00FFFF, 0xFF00FF, 0xFF0000, 0x00FF00};
  for (int tag = 1; tag <= 8; ++tag) EXPECT_EQ(form->SwatchColor(tag), shown[tag - 1]) << tag;
  form->SetLineColours(false);
  EXPECT_FALSE(form->ColourPageShown());
}

TEST_F(SettingsFormTest, TickedTypingOneFieldSetsTheOtherToItDividedByRootTwo) {
  Open();
  Retype(Edit1, U"");
  EXPECT_EQ(TypeEach(Edit1, U"1024"), (std::vector<std::string>{"1/1", "10/7", "102/72", "1024/724"}));
  Retype(Edit2, U"");
  EXPECT_EQ(TypeEach(Edit2, U"600"), (std::vector<std::string>{"6/4", "60/42", "600/424"}));

  struct Case {
    std::u32string typed;
    std::string other;
  };
  for (const Case& c : {Case{U"640", "453"}, Case{U"518", "366"}, Case{U"453", "320"}, Case{U"366", "259"},
                        Case{U"0", "0"}, Case{U"9999", "7070"}}) {
    Retype(Edit1, c.typed);
    EXPECT_EQ(form->Text(Edit2), c.other);
    Retype(Edit2, c.typed);
    EXPECT_EQ(form->Text(Edit1), c.other);
  }
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(SettingsFormTest, UntickedTheFieldsStayApart) {
  Open();
  form->FocusEntered(CheckBox5);
  form->SetPaperRatio(false);
  Retype(Edit1, U"1024");
  Retype(Edit2, U"100");
  EXPECT_EQ(form->Text(Edit1), "1024");
  EXPECT_EQ(form->Text(Edit2), "100");
}

TEST_F(SettingsFormTest, WritingTheTextAFieldHoldsIsNoChange) {
  Open();
  form->SetPaperRatio(false);
  Retype(Edit2, U"100");
  form->SetPaperRatio(true);
  form->FocusEntered(Edit1);
  form->SetText(Edit1, "640");  // what it holds already
  EXPECT_EQ(form->Text(Edit2), "100");
  form->SetText(Edit1, "64");
  EXPECT_EQ(form->Text(Edit2), "45");
}

TEST_F(SettingsFormTest, LeavingAnEmptyFieldSaysSoAndPutsBackItsDesignText) {
  struct Case {
    FormControl field;
    FormControl next;
    bool ticked;
    std::string fieldAfter;
    std::string otherAfter;
  };
  const Case cases[] = {
      {Edit1, Edit2, true, "518", "366"},
      {Edit2, Edit1, true, "366", "259"},
      {Edit1, Button3, false, "518", "453"},  // unticked, the other field keeps its text
      {Edit2, CheckBox5, false, "366", "640"},
  };
  for (const Case& c : cases) {
    host = RecordingHost();
    Open();
    form->SetPaperRatio(c.ticked);
    Retype(c.field, U"");
    const FormControl other = c.field == Edit1 ? Edit2 : Edit1;
    const std::string otherBefore = form->Text(other);
    form->FocusEntered(c.next);
    EXPECT_EQ(host.messages, std::vector<std::string>{form_texts::kInvalidNumberMessage});
    EXPECT_EQ(form->Focused(), c.field);
    EXPECT_EQ(host.focusMoves.back(), c.field);
    EXPECT_EQ(form->Text(c.field), c.fieldAfter);
    EXPECT_EQ(form->Text(other), c.ticked ? c.otherAfter : otherBefore);
  }

  host = RecordingHost();
  Open();
  Retype(Edit1, U"0");  // a text of 0 is a number
  form->FocusEntered(Edit2);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(form->Focused(), Edit2);
}

TEST_F(SettingsFormTest, TheDefaultButtonGives640By453TickedOrNot) {
  for (const bool ticked : {true, false}) {
    Open();
    form->SetPaperRatio(ticked);
    Retype(Edit1, U"1000");
    Retype(Edit2, U"20");
    form->FocusEntered(Button1);
    form->Button1Click();
    EXPECT_EQ(form->Text(Edit1), "640") << ticked;
    EXPECT_EQ(form->Text(Edit2), "453") << ticked;
    EXPECT_EQ(form->Focused(), Edit1);
    EXPECT_TRUE(host.messages.empty());
  }
}

TEST_F(SettingsFormTest, OnlyDigitsBackspaceEnterAndEscapeGetThrough) {
  Open();
  for (char32_t key = 0; key < 0x80; ++key) {
    const bool expected = key == 8 || key == 13 || key == 27 || (key >= U'0' && key <= U'9');
    EXPECT_EQ(form->Edit1KeyPress(key), expected) << static_cast<int>(key);
  }
  for (char32_t key : {U'\u3042', U'\uFF11', U'\u00B2'}) EXPECT_FALSE(form->Edit1KeyPress(key));  // あ, full-width 1, ²

  Retype(Edit1, U"1a2 b-3.\r\x1B");
  EXPECT_EQ(form->Text(Edit1), "123");
}

TEST_F(SettingsFormTest, TypingStopsAtFourCharacters) {
  Open();
  Retype(Edit1, U"102456");
  EXPECT_EQ(form->Text(Edit1), "1024");
  EXPECT_EQ(form->Text(Edit2), "724");
  form->TypeKey(8);
  form->TypeKey(U'9');
  EXPECT_EQ(form->Text(Edit1), "1029");
}

TEST_F(SettingsFormTest, TheStoredModeSelectsItsButtonAndOkStoresTheSelection) {
  struct Case {
    std::int32_t stored;
    int selected;
  };
  for (const Case c : {Case{1, 1}, Case{2, 2}, Case{3, 3}, Case{0, 1}, Case{4, 1}, Case{-1, 1}}) {
    Settings stored;
    stored.CenterPos = c.stored;
    Open(stored);
    EXPECT_EQ(form->SelectedMode(), c.selected) << c.stored;
    form->Button3Click();
    EXPECT_EQ(settings.CenterPos, c.selected) << c.stored;
  }

  Settings stored;
  stored.CenterPos = 2;
  Open(stored);
  form->ChooseMode(1);
  form->ChooseMode(3);
  form->ChooseMode(4);  // no such button
  EXPECT_EQ(form->SelectedMode(), 3);
  form->Button3Click();
  EXPECT_EQ(settings.CenterPos, 3);
}

TEST_F(SettingsFormTest, OkStoresTheSizeTheModeTheOptionsAndTheColours) {
  Settings stored;
  stored.BackColor = 0x123456;
  stored.LineTypes = 5;
  Open(stored);
  Retype(Edit1, U"1024");
  form->SetPaperRatio(false);
  form->SetLineTypes(false);
  form->SetLineColours(true);
  form->SetAllKinds(true);
  host.answers = {0xABCDEF};
  form->Button5Click(2);
  form->FocusEntered(Button3);
  form->Button3Click();
  EXPECT_EQ(form->Result(), TForm1::Outcome::Ok);
  EXPECT_EQ(settings.OutputWidth, 1024);
  EXPECT_EQ(settings.OutputHeight, 724);
  EXPECT_EQ(settings.CenterPos, 1);
  EXPECT_EQ(settings.LineTypes, 0);
  EXPECT_EQ(settings.LineColors, 1);
  EXPECT_EQ(settings.AllKinds, 1);
  EXPECT_EQ(settings.BackColor, 0x123456);
  EXPECT_EQ(settings.LineColor1, 0xABCDEF);
  EXPECT_EQ(settings.LineColor2, Settings{}.LineColor2);
  EXPECT_TRUE(host.messages.empty());

  // The default colours, stored.
  Open(stored);
  form->Button2Click();
  form->Button3Click();
  EXPECT_EQ(settings.BackColor, 0x000000);
  EXPECT_EQ(settings.LineColor1, 0xFFFF00);
  EXPECT_EQ(settings.LineTypes, 1);

  // A stored option cleared by the user is stored cleared.
  stored.AllKinds = 1;
  Open(stored);
  EXPECT_TRUE(form->AllKindsTicked());
  form->SetAllKinds(false);
  form->Button3Click();
  EXPECT_EQ(settings.AllKinds, 0);
}

TEST_F(SettingsFormTest, OkWithAPastedNonNumberSaysSoAndStoresNothing) {
  struct Case {
    FormControl field;
    std::string pasted;
    std::string shown;  // what is left after the field's limit
  };
  for (const Case& c : {Case{Edit1, "12a", "12a"}, Case{Edit2, "x", "x"}, Case{Edit2, "4.5e3", "4.5e"}}) {
    host = RecordingHost();
    Settings stored;
    stored.OutputWidth = 800;
    stored.OutputHeight = 600;
    stored.CenterPos = 3;
    Open(stored);
    form->FocusEntered(c.field);
    form->PasteOver(c.pasted);
    EXPECT_EQ(form->Text(c.field), c.shown);
    // The link could not convert the text either.
    EXPECT_EQ(host.messages, std::vector<std::string>{NotANumber(c.shown)});
    form->FocusEntered(Button3);
    form->Button3Click();
    EXPECT_EQ(host.messages.back(), NotANumber(c.shown));
    EXPECT_FALSE(form->Closed());
    EXPECT_EQ(settings.OutputWidth, 800) << c.pasted;
    EXPECT_EQ(settings.OutputHeight, 600) << c.pasted;
    EXPECT_EQ(settings.CenterPos, 3) << c.pasted;
  }
}

TEST_F(SettingsFormTest, CancelStoresNothing) {
  Settings stored;
  stored.CenterPos = 2;
  Open(stored);
  Retype(Edit1, U"1024");
  form->ChooseMode(1);
  form->SetLineColours(true);
  form->SetAllKinds(true);
  form->Button2Click();
  form->Button4Click();
  EXPECT_EQ(form->Result(), TForm1::Outcome::Cancel);
  EXPECT_EQ(settings.OutputWidth, 640);
  EXPECT_EQ(settings.OutputHeight, 453);
  EXPECT_EQ(settings.CenterPos, 2);
  EXPECT_EQ(settings.LineColors, 0);
  EXPECT_EQ(settings.AllKinds, 0);
}

TEST_F(SettingsFormTest, TheColourPageSetsItsSwatchesThroughTheChooser) {
  Settings stored;
  for (std::int32_t Settings::*colour : {&Settings::BackColor, &Settings::LineColor1, &Settings::LineColor2,
                                         &Settings::LineColor3, &Settings::LineColor4, &Settings::LineColor5,
                                         &Settings::LineColor6, &Settings::TextColor}) {
    stored.*colour = 0x111111;
  }
  Open(stored);
  host.answers = {0x123456, std::nullopt, 0x00FF00, 0xABCDEF};
  form->Button5Click(3);       // confirmed
  form->Shape2MouseDown(3);    // cancelled: unchanged
  form->Shape2MouseDown(1);    // confirmed
  form->Button5Click(9);       // no such swatch: the chooser keeps its colour, the choice goes nowhere
  EXPECT_EQ(host.presets, (std::vector<ColorValue>{0x111111, 0x123456, 0x111111, 0x00FF00}));
  EXPECT_EQ(form->SwatchColor(3), 0x123456u);
  EXPECT_EQ(form->SwatchColor(1), 0x00FF00u);
  for (int tag : {2, 4, 5, 6, 7, 8}) EXPECT_EQ(form->SwatchColor(tag), 0x111111u) << tag;

  form->Button2Click();
  const ColorValue defaults[] = {0x000000, 0xFFFF00, 0xFFFFFF, 0x00FF00, 0x00FFFF, 0xFF00FF, 0xFF0000, 0x0000FF};
  for (int tag = 1; tag <= 8; ++tag) EXPECT_EQ(form->SwatchColor(tag), defaults[tag - 1]) << tag;
}

}  // namespace
}  // namespace karvex
