#pragma once
// The settings in the current user's registry, under
// "SoftWare\Corvane\DXFplugin", subkeys "System" and "Color".
#include "settings/settings_store.h"

namespace karvex {

class RegistrySettingsStore final : public SettingsStore {
 public:
  Settings LoadSettings() override;
  void SaveSettings(const Settings& settings) override;
};

}  // namespace karvex
