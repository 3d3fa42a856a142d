#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "plugin/dxf_extension.h"
#include "plugin/result_codes.h"
#include "support/plugin_harness.h"

namespace karvex {
namespace {

using testing::PluginHarness;

struct InfoCase {
  std::int32_t infono;
  std::int32_t buflen;
  std::int32_t expectedResult;
  std::string expectedText;  // empty with result 0: buffer untouched
};

TEST(GetPluginInfo, CopiesTheTextCutToTheBuffer) {
  const InfoCase cases[] = {
      {0, 3, 2, "00"},
      {0, 100, 4, "00IN"},
      {0, 5, 4, "00IN"},
      {0, 1, 0, ""},
      {2, 100, 5, "*.dxf"},
      {3, 100, 12, "DXF \x90\x7D\x96\xCA\xCC\xA7\xB2\xD9"},
      {4, 100, 0, ""},
      {-1, 100, 0, ""},
      {0, 0, 0, ""},   // a buffer length below 1 writes nothing
      {0, -5, 0, ""},
  };
  PluginHarness harness;
  for (const InfoCase& c : cases) {
    char buffer[128];
    std::memset(buffer, '#', sizeof buffer);
    const std::int32_t result = harness.Body().GetPluginInfo(c.infono, buffer, c.buflen);
    EXPECT_EQ(result, c.expectedResult) << "infono " << c.infono << " buflen " << c.buflen;
    if (c.buflen >= 1 && c.infono >= 0 && c.infono <= 3) {
      EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(result)), c.expectedText);
      EXPECT_EQ(buffer[result], '\0');
    } else {
      EXPECT_EQ(buffer[0], '#') << "infono " << c.infono << " buflen " << c.buflen;
    }
  }
}

TEST(GetPluginInfo, DescriptionStartsWithTheFilterName) {
  PluginHarness harness;
  char buffer[256];
  const std::int32_t length = harness.Body().GetPluginInfo(1, buffer, sizeof buffer);
  EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(length)).rfind("DXF to DIB filter Ver.0.02 ", 0), 0u);
}

struct ExtensionCase {
  const char* name;
  bool expected;
};

TEST(HasDxfExtension, MatchesTheLastExtensionOnly) {
  const ExtensionCase cases[] = {
      {"C:\\plans\\plan.dxf", true},
      {"plan.DXF", true},
      {"plan.Dxf", true},
      {"plan.b.DXF", true},
      {".dxf", true},
      {"plan.dwg", false},
      {"plan.dxf.bak", false},
      {"plan.dx", false},
      {"plan.dxf ", false},
      {"C:\\plan.dxf\\drawing", false},  // the dot lies in a folder name
      {"a:plan.dxf:stream", false},
      {"plan", false},
      {"", false},
      {"plan.\xC4\xB1xf", false},  // dotless i is not an ASCII letter
  };
  for (const ExtensionCase& c : cases) EXPECT_EQ(HasDxfExtension(c.name), c.expected) << c.name;
}

TEST(HasDxfExtension, TheByteAfterALeadByteIsPartOfItsCharacter) {
  auto shiftJisLead = [](unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); };
  // 0x95 0x5C is a Shift-JIS character whose second byte is "\".
  EXPECT_TRUE(HasDxfExtension("C:\\\x95\x5C.dxf", shiftJisLead));
  EXPECT_TRUE(HasDxfExtension("C:\\\x95\x5C\\plan.dxf", shiftJisLead));
  // After a lead byte, even a "." is the second byte of a character.
  EXPECT_FALSE(HasDxfExtension("plan\x81.dxf", shiftJisLead));
  EXPECT_TRUE(HasDxfExtension("plan\x81.dxf", nullptr));
}

TEST(IsSupported, DecidesByTheNameAlone) {
  PluginHarness harness;
  EXPECT_EQ(harness.Body().IsSupported("/home/user/plan.dxf"), 1);
  EXPECT_EQ(harness.Body().IsSupported("plan.dwg"), 0);
  EXPECT_EQ(harness.Body().IsSupported(nullptr), 0);
}

TEST(GetPictureInfo, ReportsTheConfiguredSizeForDxfNamesWithoutOpeningThem) {
  Settings settings;
  settings.OutputWidth = 800;
  PluginHarness harness(settings);
  PictureInfo info;
  std::memset(&info, 0xCD, sizeof info);
  ASSERT_EQ(harness.Body().GetPictureInfo("/nowhere/missing/plan.DXF", 0, 8, &info), kSuccess);  // flag 8 is a file
  EXPECT_EQ(+info.Left, 0);
  EXPECT_EQ(+info.Top, 0);
  EXPECT_EQ(+info.Width, 800);
  EXPECT_EQ(+info.Height, 453);
  EXPECT_EQ(+info.XDensity, 0);
  EXPECT_EQ(+info.YDensity, 0);
  EXPECT_EQ(+info.ColorDepth, 24);
  const HostHandle infoText = info.InfoText;
  ASSERT_NE(infoText, nullptr);
  EXPECT_EQ(harness.Memory().SizeOf(infoText), 11u);
  EXPECT_STREQ(static_cast<const char*>(harness.Memory().Lock(infoText)), "no comment");
  harness.Memory().Unlock(infoText);
  harness.Memory().Free(infoText);
}

TEST(GetPictureInfo, ClearsTheRecordAndRefusesMemoryImagesAndOtherNames) {
  PluginHarness harness;
  struct Case {
    const char* buf;
    std::uint32_t flag;
  };
  for (const Case& c : {Case{"plan.dxf", 1}, Case{"plan.txt", 0}, Case{"plan.dxf", 7}}) {
    PictureInfo info;
    std::memset(&info, 0xCD, sizeof info);
    EXPECT_EQ(harness.Body().GetPictureInfo(c.buf, 0, c.flag, &info), kNotSupported) << c.buf << " " << c.flag;
    const auto* bytes = reinterpret_cast<const unsigned char*>(&info);
    for (std::size_t i = 0; i < sizeof info; ++i) ASSERT_EQ(bytes[i], 0) << "byte " << i;
  }
  EXPECT_EQ(harness.Memory().LiveBlocks(), 0);
}

TEST(ConfigurationDlg, OnlyFunctionCodeOneIsImplemented) {
  PluginHarness harness;
  EXPECT_EQ(harness.Body().Configure(nullptr, 0), kNotImplemented);
  EXPECT_EQ(harness.Body().Configure(nullptr, 2), kNotImplemented);
  EXPECT_EQ(harness.Body().Configure(nullptr, 1), kSuccess);
}

}  // namespace
}  // namespace karvex
