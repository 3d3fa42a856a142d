#pragma once
// Where the settings persist: the registry in the DLL, a settings file
// natively. Both backends use the same sections, value names and texts.
#include "settings/settings.h"

namespace karvex {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // Missing or invalid values take their defaults; nothing is reported.
  virtual Settings LoadSettings() = 0;
  // Writes all fourteen values; a store that cannot be written is given up
  // silently.
  virtual void SaveSettings(const Settings& settings) = 0;
};

// Keeps the settings in memory only: for tests and for one-off runs.
class MemorySettingsStore final : public SettingsStore {
 public:
  explicit MemorySettingsStore(Settings initial = {}) : stored_(initial) {}
  Settings LoadSettings() override { return stored_; }
  void SaveSettings(const Settings& settings) override { stored_ = settings; }
  const Settings& Stored() const { return stored_; }

 private:
  Settings stored_;
};

// Loads through another store and never saves: for a program that reads the
// user's settings but must leave them as they are (the converter).
class ReadOnlySettingsStore final : public SettingsStore {
 public:
  explicit ReadOnlySettingsStore(SettingsStore& source) : source_(source) {}
  Settings LoadSettings() override { return source_.LoadSettings(); }
  void SaveSettings(const Settings&) override {}

 private:
  SettingsStore& source_;
};

}  // namespace karvex
