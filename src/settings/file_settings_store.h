#pragma once
// The settings in a per-user text file, for platforms without the registry:
// $XDG_CONFIG_HOME/karvex/settings.ini (~/.config/karvex/settings.ini by
// default), in the form of settings_file_text.h.
#include <filesystem>
#include <utility>

#include "settings/settings_store.h"

namespace karvex {

// The settings file named by these environment values: XDG_CONFIG_HOME when
// it is an absolute path, otherwise HOME's ".config" folder. Either may be
// null. Empty when neither names a folder.
std::filesystem::path SettingsFilePathFor(const char* xdgConfigHome, const char* home);
// The same for this process's environment.
std::filesystem::path DefaultSettingsFilePath();

class FileSettingsStore final : public SettingsStore {
 public:
  // An empty path loads the defaults and saves nothing.
  explicit FileSettingsStore(std::filesystem::path path) : path_(std::move(path)) {}

  // A missing or unreadable file gives all defaults.
  Settings LoadSettings() override;
  // Replaces the file atomically: a temporary file beside it is written,
  // flushed to disk and renamed over it, so a reader sees the old text or
  // the new, never a part. The folder is made if missing. When any step
  // fails the old file stays as it was, the temporary file is removed and
  // the save is given up silently. A file that is a symbolic link is
  // written where the link points, so the link stays. A file that already
  // holds exactly the new text is left alone.
  void SaveSettings(const Settings& settings) override;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace karvex
