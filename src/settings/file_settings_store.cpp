#include "settings/file_settings_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>

#include "settings/settings_file_text.h"

namespace karvex {
namespace {

// Closes a file descriptor when it goes.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() { Close(); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int Get() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }
  // False when closing reports a failure (a write that did not reach the file).
  bool Close() {
    if (fd_ < 0) return true;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    return closed;
  }

 private:
  int fd_;
};

enum class ReadOutcome { Read, Missing, Failed };

ReadOutcome ReadWholeFile(const std::filesystem::path& path, std::string& text) {
  text.clear();
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.IsOpen()) return errno == ENOENT ? ReadOutcome::Missing : ReadOutcome::Failed;
  char chunk[4096];
  for (;;) {
    const ssize_t got = ::read(file.Get(), chunk, sizeof chunk);
    if (got == 0) return ReadOutcome::Read;
    if (got < 0) {
      if (errno == EINTR) continue;
      return ReadOutcome::Failed;
    }
    text.append(chunk, static_cast<std::size_t>(got));
  }
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
    if (wrote < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(wrote);
  }
  return true;
}

// The rename is only lasting once the folder itself reaches the disk; the
// new text is in place either way, so a failure here is not a failed save.
void FlushFolder(const std::filesystem::path& folder) {
  FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.IsOpen()) ::fsync(dir.Get());
}

// Writes text to a new file beside target and renames it over target.
bool ReplaceFile(const std::filesystem::path& target, const std::string& text,
                 std::optional<mode_t> permissions) {
  const std::filesystem::path folder = target.parent_path();
  std::string temporary = (folder / (target.filename().string() + ".tmp-XXXXXX")).string();
  FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
  if (!file.IsOpen()) return false;
  // A new file stays private to its user (mkostemp's 0600); a replaced one
  // keeps the permissions it had.
  const bool written = (!permissions || ::fchmod(file.Get(), *permissions) == 0) && WriteAll(file.Get(), text) &&
                       ::fsync(file.Get()) == 0;
  if (!file.Close() || !written || ::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  FlushFolder(folder);
  return true;
}

}  // namespace

std::filesystem::path SettingsFilePathFor(const char* xdgConfigHome, const char* home) {
  std::filesystem::path configFolder;
  if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
    configFolder = xdgConfigHome;
  } else if (home != nullptr && home[0] != '\0') {
    configFolder = std::filesystem::path(home) / ".config";
  } else {
    return {};
  }
  return configFolder / "karvex" / "settings.ini";
}

std::filesystem::path DefaultSettingsFilePath() {
  return SettingsFilePathFor(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

Settings FileSettingsStore::LoadSettings() {
  if (path_.empty()) return Settings{};
  std::string text;
  if (ReadWholeFile(path_, text) != ReadOutcome::Read) return Settings{};
  return ReadSettingsFileText(text);
}

void FileSettingsStore::SaveSettings(const Settings& settings) {
  if (path_.empty()) return;
  std::error_code error;
  std::filesystem::path target = path_;
  if (std::filesystem::is_symlink(target, error)) {
    target = std::filesystem::canonical(path_, error);
    if (error) return;
  }

  // The user's own lines are kept, so an old file that cannot be read must
  // not be replaced.
  std::string previous;
  std::optional<mode_t> permissions;
  switch (ReadWholeFile(target, previous)) {
    case ReadOutcome::Failed: return;
    case ReadOutcome::Missing: break;
    case ReadOutcome::Read: {
      struct stat status {};
      if (::stat(target.c_str(), &status) != 0) return;
      permissions = status.st_mode & 07777;
      break;
    }
  }
  const std::string text = WriteSettingsFileText(settings, previous);
  if (permissions && text == previous) return;

  if (!target.parent_path().empty()) {
    std::filesystem::create_directories(target.parent_path(), error);
    if (error) return;
  }
  ReplaceFile(target, text, permissions);
}

}  // namespace karvex
