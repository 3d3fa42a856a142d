#include "settings/registry_settings_store.h"

namespace karvex {

// Defaults until the registry backend lands.
Settings RegistrySettingsStore::LoadSettings() { return Settings{}; }

void RegistrySettingsStore::SaveSettings(const Settings&) {}

}  // namespace karvex
