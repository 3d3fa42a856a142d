#include "settings/file_settings_store.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "settings/setting_entries.h"
#include "support/plugin_harness.h"

namespace karvex {
namespace {

namespace fs = std::filesystem;
using testing::TempFile;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Every setting that differs, by its value name ("DXF_W 640 != 800").
std::string Differences(const Settings& actual, const Settings& expected) {
  std::ostringstream out;
  for (const SettingEntry& entry : kSettingEntries) {
    if (actual.*entry.member != expected.*entry.member) {
      out << entry.name << " " << actual.*entry.member << " != " << expected.*entry.member << "; ";
    }
  }
  return out.str();
}

// Every file under a folder with its bytes (a folder as "<folder>").
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& item : fs::recursive_directory_iterator(folder)) {
    files[item.path().lexically_relative(folder).string()] = item.is_directory() ? "<folder>" : ReadBytes(item.path());
  }
  return files;
}

const char kDefaultFile[] =
    "[System]\n"
    "Version=2\n"
    "DXF_W=640\n"
    "DXF_H=453\n"
    "CenterPos=1\n"
    "LineTypes=0\n"
    "LineColors=0\n"
    "AllKinds=0\n"
    "\n"
    "[Color]\n"
    "Back=0\n"
    "Line1=16776960\n"
    "Line2=16777215\n"
    "Line3=65280\n"
    "Line4=65535\n"
    "Line5=16711935\n"
    "Line6=16711680\n"
    "Text=255\n";

struct StoredCase {
  const char* name;
  const char* text;
  Settings expected;
};

TEST(FileSettingsStore, LoadsEachStoredTextOrItsDefault) {
  const StoredCase cases[] = {
      {"valid", "[System]\nDXF_W=800\nDXF_H=600\n", {.OutputWidth = 800, .OutputHeight = 600}},
      {"every value",
       "[System]\nVersion=7\nDXF_W=1\nDXF_H=2\nCenterPos=3\n[Color]\nBack=4\nLine1=5\nLine2=6\nLine3=7\nLine4=8\n"
       "Line5=9\nLine6=10\nText=11\n",
       {7, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
      {"empty", "[System]\nDXF_W=\n", {}},
      {"letters", "[System]\nDXF_W=abc\nCenterPos=2x\n", {}},
      {"out of 32-bit range", "[System]\nDXF_W=2147483648\nDXF_H=-2147483649\n", {}},
      {"32-bit limits", "[System]\nDXF_W=2147483647\nDXF_H=-2147483648\n",
       {.OutputWidth = INT32_MAX, .OutputHeight = INT32_MIN}},
      {"negative, no range check", "[System]\nDXF_H=-5\nCenterPos=0\n", {.OutputHeight = -5, .CenterPos = 0}},
      {"leading zeros", "[System]\nDXF_W=0800\n", {.OutputWidth = 800}},
      {"blanks around name and value", "  [ System ]  \n\tDXF_W =  800 \t\n", {.OutputWidth = 800}},
      {"blanks inside the number", "[System]\nDXF_W=8 00\n", {}},
      {"hexadecimal", "[System]\nDXF_W=0x320\n", {}},
      {"CR LF lines", "[System]\r\nDXF_W=800\r\n[Color]\r\nText=16\r\n", {.OutputWidth = 800, .TextColor = 16}},
      {"names in any case", "[system]\ndxf_w=800\n[COLOR]\nback=255\n", {.OutputWidth = 800, .BackColor = 255}},
      {"no final line end", "[System]\nDXF_W=800", {.OutputWidth = 800}},
      {"missing sections", "DXF_W=800\n[Other]\nDXF_H=600\n", {}},
      {"value in the other section", "[Color]\nDXF_W=800\n[System]\nBack=255\n", {}},
      {"comments", "[System]\n;DXF_W=800\n# DXF_H=600\n", {}},
      {"first line of a name counts", "[System]\nDXF_W=800\nDXF_W=900\nDXF_H=x\nDXF_H=600\n", {.OutputWidth = 800}},
      {"section given twice", "[System]\nDXF_W=800\n[Color]\n[System]\nDXF_H=600\n",
       {.OutputWidth = 800, .OutputHeight = 600}},
      {"empty file", "", {}},
      {"not a settings file", "\x89PNG\r\n\x1A\n\0\0=[", {}},
  };
  for (const StoredCase& c : cases) {
    TempFile file("settings.ini", c.text);
    const Settings loaded = FileSettingsStore(file.Path()).LoadSettings();
    EXPECT_EQ(Differences(loaded, c.expected), "") << c.name;
  }
}

TEST(FileSettingsStore, MissingFileOrNoPathGivesDefaults) {
  TempFile folder("unrelated", "");
  EXPECT_EQ(Differences(FileSettingsStore(folder.Folder() + "/karvex/settings.ini").LoadSettings(), Settings{}), "");
  EXPECT_EQ(Differences(FileSettingsStore(folder.Folder()).LoadSettings(), Settings{}), "");  // a folder
  FileSettingsStore nowhere{fs::path()};
  EXPECT_EQ(Differences(nowhere.LoadSettings(), Settings{}), "");
  nowhere.SaveSettings(Settings{});  // nothing to write to, and no failure
}

TEST(FileSettingsStore, SaveWritesTheWholeFileInTheStoredFormAndLoadsBack) {
  TempFile folder("unrelated", "");
  const fs::path path = folder.Folder() + "/config/karvex/settings.ini";  // folders made as needed
  FileSettingsStore store(path);
  store.SaveSettings(Settings{});
  EXPECT_EQ(ReadBytes(path), kDefaultFile);

  const Settings changed{7, 1024, 724, 3, 255, -1, 0, 1, 2, 3, 4, INT32_MIN, 1, 5};
  store.SaveSettings(changed);
  EXPECT_EQ(ReadBytes(path),
            "[System]\nVersion=2\nDXF_W=1024\nDXF_H=724\nCenterPos=3\nLineTypes=1\nLineColors=5\nAllKinds=0\n\n"
            "[Color]\nBack=255\nLine1=-1\nLine2=0\nLine3=1\nLine4=2\nLine5=3\nLine6=4\nText=-2147483648\n");
  Settings expected = changed;
  expected.SettingsVersion = Settings::SavedVersion;
  EXPECT_EQ(Differences(store.LoadSettings(), expected), "");
}

TEST(FileSettingsStore, SaveKeepsTheUsersOwnLines) {
  const std::string handWritten =
      "; my settings\n"
      "[System]\n"
      "  dxf_w = 800   \n"
      "Wide=yes\n"
      "DXF_W=900\n"
      "\n"
      "# colours follow\n"
      "[Fonts]\n"
      "Face=Gothic\r\n"
      "[system]\n"
      "CenterPos=abc\n";
  TempFile file("settings.ini", handWritten);
  FileSettingsStore store(file.Path());
  Settings settings = store.LoadSettings();
  EXPECT_EQ(settings.OutputWidth, 800);
  settings.OutputWidth = 1024;
  store.SaveSettings(settings);
  EXPECT_EQ(ReadBytes(file.Path()),
            "; my settings\n"
            "[System]\n"
            "DXF_W=1024\n"
            "Wide=yes\n"
            "Version=2\n"  // missing values go after the section's last value
            "DXF_H=453\n"
            "LineTypes=0\n"
            "LineColors=0\n"
            "AllKinds=0\n"
            "\n"
            "# colours follow\n"
            "[Fonts]\n"
            "Face=Gothic\r\n"
            "[system]\n"
            "CenterPos=1\n"
            "\n"
            "[Color]\n"
            "Back=0\n"
            "Line1=16776960\n"
            "Line2=16777215\n"
            "Line3=65280\n"
            "Line4=65535\n"
            "Line5=16711935\n"
            "Line6=16711680\n"
            "Text=255\n");
}

TEST(FileSettingsStore, ReplacingKeepsTheFilesPermissionsAndALinkStaysALink) {
  TempFile file("real.ini", "[System]\nDXF_W=800\n");
  ASSERT_EQ(::chmod(file.Path().c_str(), 0640), 0);
  const fs::path link = file.Folder() + "/settings.ini";
  fs::create_symlink("real.ini", link);

  FileSettingsStore(link).SaveSettings(Settings{.OutputWidth = 1024});
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(FileSettingsStore(file.Path()).LoadSettings().OutputWidth, 1024);
  struct stat status {};
  ASSERT_EQ(::stat(file.Path().c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_EQ(Snapshot(file.Folder()).size(), 2u);  // no temporary file left
}

// Failures that hold for root too: permission bits would not stop it.
class FailedSave : public ::testing::Test {
 protected:
  // Saves, and checks the folder holds exactly what it held before.
  void ExpectSaveChangesNothing(const fs::path& settingsPath) {
    const auto before = Snapshot(folder_.Folder());
    FileSettingsStore(settingsPath).SaveSettings(Settings{.OutputWidth = 1024});
    EXPECT_EQ(Snapshot(folder_.Folder()), before);
  }

  TempFile folder_{"settings.ini", "; kept as it is\n[System]\nDXF_W=800\n"};
};

TEST_F(FailedSave, WhenTheFileCannotBeWrittenWhole) {
  // A size limit lets the temporary file take its first bytes, then refuses.
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  struct rlimit small = saved;
  small.rlim_cur = 8;
  const sighandler_t oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  ExpectSaveChangesNothing(folder_.Path());
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, oldHandler);
}

TEST_F(FailedSave, WhenTheFileIsAFolder) {
  const fs::path target = folder_.Folder() + "/karvex.ini";
  fs::create_directory(target);
  WriteBytes(target / "inside", "untouched");
  ExpectSaveChangesNothing(target);
}

TEST_F(FailedSave, WhenTheFolderCannotBeMade) {
  ExpectSaveChangesNothing(folder_.Path() + "/karvex/settings.ini");  // settings.ini is a file
}

TEST_F(FailedSave, WhenTheOldFileCannotBeRead) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads any file";
  // Its own lines could not be kept, so it is not replaced.
  ASSERT_EQ(::chmod(folder_.Path().c_str(), 0), 0);
  ExpectSaveChangesNothing(folder_.Path());
}

struct PathCase {
  const char* xdgConfigHome;
  const char* home;
  const char* expected;
};

TEST(SettingsFilePath, FollowsXdgConfigHomeThenHome) {
  const PathCase cases[] = {
      {"/cfg", "/home/ann", "/cfg/karvex/settings.ini"},
      {"/cfg/", "/home/ann", "/cfg/karvex/settings.ini"},
      {nullptr, "/home/ann", "/home/ann/.config/karvex/settings.ini"},
      {"", "/home/ann", "/home/ann/.config/karvex/settings.ini"},
      {"cfg", "/home/ann", "/home/ann/.config/karvex/settings.ini"},  // a relative one is ignored
      {"/cfg", nullptr, "/cfg/karvex/settings.ini"},
      {nullptr, nullptr, ""},
      {"", "", ""},
  };
  for (const PathCase& c : cases) {
    EXPECT_EQ(SettingsFilePathFor(c.xdgConfigHome, c.home).lexically_normal(), fs::path(c.expected))
        << (c.xdgConfigHome ? c.xdgConfigHome : "(unset)") << " " << (c.home ? c.home : "(unset)");
  }
}

}  // namespace
}  // namespace karvex
