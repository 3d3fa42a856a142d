#pragma once
// The settings in the current user's registry, under
// "SoftWare\Corvane\DXFplugin", subkeys "System" and "Color", each value a
// string holding the decimal text of the number.
#include "settings/settings_store.h"

namespace karvex {

class RegistrySettingsStore final : public SettingsStore {
 public:
  // Creates the key if it is missing, so it exists after the first load.
  // A key that cannot be created or opened gives all defaults.
  Settings LoadSettings() override;
  // Writes all fourteen values, creating the subkeys as needed. A key that
  // cannot be created is given up silently, as is a value that cannot be
  // written (the others are still written).
  void SaveSettings(const Settings& settings) override;
};

}  // namespace karvex
