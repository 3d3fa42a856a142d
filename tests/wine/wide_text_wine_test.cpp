// A drawing that says its code page has its texts drawn through the
// wide-character output when all kinds are drawn: the sample's "寝室" and
// "居間" come out the same on a Western system as on a Japanese one, where
// the narrow output reads the same bytes in the system's code page.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>

#include "support/plugin_harness.h"
#include "wine/wine_registry.h"
#include "wine/wine_session.h"

namespace karvex::testing {
namespace {

const std::string kSettingsKey = "HKCU\\SoftWare\\Corvane\\DXFplugin";

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The plug-in's BMP of the sample, drawn in env's locale.
std::string SamplePicture(const TempFile& scratch, const std::string& name,
                          const std::map<std::string, std::string>& env) {
  const std::string drawing = std::string(KARVEX_SOURCE_DIR) + "/samples/sample.dxf";
  const std::string bmp = scratch.Folder() + "/" + name + ".bmp";
  const CommandResult picture =
      WineSession::Get().Spihost({"picture", WineSession::WindowsPath(drawing), WineSession::WindowsPath(bmp)}, env);
  EXPECT_EQ(picture.Field("result"), "0") << picture.out << picture.err;
  return ReadBytes(bmp);
}

TEST(WideTextUnderWine, TheSamplesJapaneseReadsAlikeWhateverTheSystemCodePage) {
  WineSession& wine = WineSession::Get();
  const std::map<std::string, std::string>& japanese = wine.JapaneseEnvironment();
  const std::map<std::string, std::string> western{{"LC_ALL", "C"}};
  // The face's name is given as a Japanese system spells it.
  const CommandResult added =
      wine.Run({"reg", "add", "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes", "/v",
                "ＭＳ ゴシック", "/d", "IPAGothic", "/f"},
               japanese);
  ASSERT_EQ(added.exitCode, 0) << added.out << added.err;
  WineRegistry registry(wine);
  registry.DeleteTree(kSettingsKey);
  TempFile scratch("keep", "");

  // Without all kinds, a Western system reads the Shift-JIS bytes as its
  // own code page: the texts differ, which is what this test is about.
  const std::string narrowJapanese = SamplePicture(scratch, "narrow-ja", japanese);
  const std::string narrowWestern = SamplePicture(scratch, "narrow-c", western);
  ASSERT_FALSE(narrowJapanese.empty());
  ASSERT_NE(narrowJapanese, narrowWestern) << "the system's code page did not change the narrow output";

  ASSERT_TRUE(registry.Set(kSettingsKey + "\\System", "AllKinds", "REG_SZ", "1"));
  const std::string wideJapanese = SamplePicture(scratch, "wide-ja", japanese);
  const std::string wideWestern = SamplePicture(scratch, "wide-c", western);
  registry.DeleteTree(kSettingsKey);
  ASSERT_FALSE(wideJapanese.empty());
  EXPECT_TRUE(wideWestern == wideJapanese) << "the sample's texts differ between the two systems";
  // The sample holds nothing that all kinds draw otherwise: its Japanese
  // reads as the narrow output reads it on a Japanese system.
  EXPECT_TRUE(wideJapanese == narrowJapanese) << "the wide output draws other glyphs than the narrow one";
}

}  // namespace
}  // namespace karvex::testing
