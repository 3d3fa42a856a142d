#include "settings/registry_settings_store.h"

#include <windows.h>

#include <optional>
#include <string>

#include "settings/setting_entries.h"
#include "settings/setting_text.h"

namespace karvex {
namespace {

constexpr char kKeyPath[] = "SoftWare\\Corvane\\DXFplugin";

// An open registry key, closed when it goes.
class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() {
    if (handle_ != nullptr) RegCloseKey(handle_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Create-or-open.
  bool Create(HKEY parent, const char* path, REGSAM access) {
    return RegCreateKeyExA(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &handle_, nullptr) ==
           ERROR_SUCCESS;
  }
  // Open an existing key without creating it.
  bool Open(HKEY parent, const char* path, REGSAM access) {
    return RegOpenKeyExA(parent, path, 0, access, &handle_) == ERROR_SUCCESS;
  }
  HKEY Handle() const { return handle_; }

 private:
  HKEY handle_ = nullptr;
};

// The text of a string value, up to its first NUL; empty when the value is
// missing or holds something other than a string. An expandable string is
// read as it stands, without expanding it.
std::optional<std::string> ReadStringValue(HKEY key, const char* name) {
  // The value may change between asking for its size and reading it; a few
  // tries are plenty for a value nobody else should be writing.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::string data(size, '\0');
    DWORD got = size;
    const LONG status =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
    data.resize(got);
    // The stored data normally ends in NUL, but need not.
    const std::size_t end = data.find('\0');
    if (end != std::string::npos) data.resize(end);
    return data;
  }
  return std::nullopt;
}

std::optional<std::int32_t> ReadSetting(HKEY key, const SettingEntry& entry) {
  const std::string section(entry.section);
  RegistryKey sectionKey;
  if (!sectionKey.Open(key, section.c_str(), KEY_QUERY_VALUE)) return std::nullopt;
  const std::optional<std::string> text = ReadStringValue(sectionKey.Handle(), std::string(entry.name).c_str());
  if (!text) return std::nullopt;
  return ParseSettingText(*text);
}

void WriteSetting(HKEY key, const SettingEntry& entry, std::int32_t value) {
  RegistryKey sectionKey;
  if (!sectionKey.Create(key, std::string(entry.section).c_str(), KEY_SET_VALUE)) return;
  const std::string text = SettingText(value);
  // The stored data is the text and its terminating NUL.
  RegSetValueExA(sectionKey.Handle(), std::string(entry.name).c_str(), 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.size() + 1));
}

}  // namespace

Settings RegistrySettingsStore::LoadSettings() {
  Settings settings;
  try {
    RegistryKey key;
    if (!key.Create(HKEY_CURRENT_USER, kKeyPath, KEY_ALL_ACCESS)) return settings;
    for (const SettingEntry& entry : kSettingEntries) {
      if (const std::optional<std::int32_t> value = ReadSetting(key.Handle(), entry)) settings.*entry.member = *value;
    }
  } catch (...) {
    // Out of memory while reading: whatever was not read keeps its default.
  }
  return settings;
}

void RegistrySettingsStore::SaveSettings(const Settings& settings) {
  try {
    RegistryKey key;
    if (!key.Create(HKEY_CURRENT_USER, kKeyPath, KEY_ALL_ACCESS)) return;
    for (const SettingEntry& entry : kSettingEntries) WriteSetting(key.Handle(), entry, entry.ValueToSave(settings));
  } catch (...) {
    // Given up silently, like any other failure to save.
  }
}

}  // namespace karvex
