#pragma once
// Where each setting is stored: its section, its value name and the member
// it fills, in the order every store loads and saves them.
#include <array>
#include <cstdint>
#include <string_view>

#include "settings/settings.h"

namespace karvex {

struct SettingEntry {
  std::string_view section;  // "System" or "Color"
  std::string_view name;
  std::int32_t Settings::*member;

  // The value a missing or unreadable entry takes.
  std::int32_t Default() const { return Settings{}.*member; }
  // The value a save writes: the version is always the current one, whatever
  // was loaded.
  std::int32_t ValueToSave(const Settings& settings) const {
    return member == &Settings::SettingsVersion ? Settings::SavedVersion : settings.*member;
  }
};

inline constexpr std::string_view kSystemSection = "System";
inline constexpr std::string_view kColorSection = "Color";

inline constexpr std::array<SettingEntry, 15> kSettingEntries{{
    {kSystemSection, "Version", &Settings::SettingsVersion},
    {kSystemSection, "DXF_W", &Settings::OutputWidth},
    {kSystemSection, "DXF_H", &Settings::OutputHeight},
    {kSystemSection, "CenterPos", &Settings::CenterPos},
    {kColorSection, "Back", &Settings::BackColor},
    {kColorSection, "Line1", &Settings::LineColor1},
    {kColorSection, "Line2", &Settings::LineColor2},
    {kColorSection, "Line3", &Settings::LineColor3},
    {kColorSection, "Line4", &Settings::LineColor4},
    {kColorSection, "Line5", &Settings::LineColor5},
    {kColorSection, "Line6", &Settings::LineColor6},
    {kColorSection, "Text", &Settings::TextColor},
    {kSystemSection, "LineTypes", &Settings::LineTypes},
    {kSystemSection, "LineColors", &Settings::LineColors},
    {kSystemSection, "AllKinds", &Settings::AllKinds},
}};

}  // namespace karvex
