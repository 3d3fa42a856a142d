#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "plugin/result_codes.h"
#include "support/dxf_text.h"
#include "support/plugin_harness.h"
#include "support/scenes.h"

namespace karvex {
namespace {

using testing::DxfText;
using testing::PictureResult;
using testing::PluginHarness;
using testing::TempFile;

std::string SmallDrawing() {
  return DxfText()
      .Section("HEADER", {{9, "$ACADVER"}, {1, "AC1009"}})
      .Section("ENTITIES", {})
      .Eof()
      .Text();
}

TEST(PicturePipeline, WellFormedTextGivesBothBlocksAndTheProgressFrame) {
  PluginHarness harness;
  const PictureResult picture = harness.PictureFromMemory(SmallDrawing());
  ASSERT_EQ(picture.result, kSuccess);
  EXPECT_EQ(picture.headerBlockSize, 1064u);
  EXPECT_EQ(picture.pixelBlockSize, 869760u);
  EXPECT_EQ(picture.header.biSize, 40u);
  EXPECT_EQ(picture.header.biWidth, 640);
  EXPECT_EQ(picture.header.biHeight, 453);
  EXPECT_EQ(picture.header.biPlanes, 1);
  EXPECT_EQ(picture.header.biBitCount, 24);
  EXPECT_EQ(picture.header.biCompression, 0u);
  EXPECT_EQ(picture.header.biSizeImage, 869760u);
  EXPECT_EQ(picture.header.biClrUsed, 0u);
  for (std::size_t i = 40; i < picture.headerBlock.size(); ++i) ASSERT_EQ(picture.headerBlock[i], 0) << i;
  ASSERT_GE(picture.progress.size(), 2u);
  EXPECT_EQ(picture.progress.front(), std::make_pair(0, 110));
  EXPECT_EQ(picture.progress.back(), std::make_pair(110, 110));
  EXPECT_EQ(picture.InkedPixels(), 0);
}

TEST(PicturePipeline, RowsArePaddedToFourBytes) {
  Settings settings;
  settings.OutputWidth = 641;
  settings.OutputHeight = 3;
  PluginHarness harness(settings);
  const PictureResult picture = harness.PictureFromMemory(SmallDrawing());
  ASSERT_EQ(picture.result, kSuccess);
  EXPECT_EQ(picture.pixelBlockSize, 1924u * 3);
  // White pixels, zero padding.
  EXPECT_EQ(picture.pixels[641 * 3 - 1], 0xFF);
  EXPECT_EQ(picture.pixels[641 * 3], 0x00);
}

TEST(PicturePipeline, FileAndMemoryImageGiveTheSamePictureWhateverLenSaysForAFile) {
  const std::string text = DxfText()
                               .Section("HEADER", {{9, "$EXTMAX"}, {10, "100"}, {20, "100"}})
                               .Section("ENTITIES", {{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "100"}, {21, "100"}})
                               .Eof()
                               .Text();
  TempFile file("plan.dxf", text);
  PluginHarness harness;
  const PictureResult fromMemory = harness.PictureFromMemory(text);
  ASSERT_EQ(fromMemory.result, kSuccess);
  EXPECT_GT(fromMemory.InkedPixels(), 0);
  for (std::int32_t len : {0, 5, -1, 1 << 30}) {
    const PictureResult fromFile = harness.PictureFromFile(file.Path(), len);
    ASSERT_EQ(fromFile.result, kSuccess) << "len " << len;
    EXPECT_EQ(fromFile.pixels, fromMemory.pixels) << "len " << len;
  }
}

struct ResultCase {
  const char* name;
  std::string text;
  std::int32_t expected;
};

TEST(PicturePipeline, ResultCodesOfWholeTexts) {
  const ResultCase cases[] = {
      {"one pair of any kind then EOF", DxfText().Add(999, "comment").Eof().Text(), kSuccess},
      {"nothing but EOF: the first pair is never the end", DxfText().Eof().Text(), kInternalError},
      {"no EOF after the last ENDSEC", DxfText().Section("ENTITIES", {}).Text(), kInternalError},
      {"bad group code between sections",
       DxfText().Section("ENTITIES", {}).Raw("1x\r\nX\r\n").Eof().Text(), kInternalError},
      {"bad group code inside a section ends only it",
       DxfText().Add(0, "SECTION").Add(2, "ENTITIES").Raw("1x\r\nX\r\n").Eof().Text(), kSuccess},
      {"empty text", "", kInternalError},
      {"lf line ends", DxfText("\n").Section("ENTITIES", {}).Eof().Text(), kSuccess},
      {"final EOF without a line end", DxfText().Section("ENTITIES", {}).Text() + "  0\r\nEOF", kSuccess},
      {"unknown section passed over", DxfText().Section("OBJECTS", {{0, "DICTIONARY"}}).Eof().Text(), kSuccess},
      {"an (0, Error) pair in the text ends the loop", DxfText().Add(999, "x").Add(0, "Error").Text(), kSuccess},
  };
  for (const ResultCase& c : cases) {
    PluginHarness harness;
    const PictureResult picture = harness.PictureFromMemory(c.text);
    EXPECT_EQ(picture.result, c.expected) << c.name;
    if (c.expected != kSuccess) {
      EXPECT_FALSE(picture.headerReturned) << c.name;
      EXPECT_FALSE(picture.pixelsReturned) << c.name;
    }
  }
}

TEST(PicturePipeline, MissingOrUnreadableFilesGiveResult8) {
  PluginHarness harness;
  TempFile empty("empty.dxf", "");
  for (const std::string& path : {std::string("/nowhere/plan.dxf"), empty.Path(), empty.Folder()}) {
    const PictureResult picture = harness.PictureFromFile(path);
    EXPECT_EQ(picture.result, kInternalError) << path;
    EXPECT_FALSE(picture.headerReturned) << path;
    EXPECT_FALSE(picture.pixelsReturned) << path;
  }
}

TEST(PicturePipeline, NegativeMemoryLengthIsRefused) {
  PluginHarness harness;
  const std::string text = SmallDrawing();
  EXPECT_EQ(harness.Call(text.data(), -1, 1, 0).result, kInternalError);
}

TEST(PicturePipeline, StopAtTheOpeningReportReadsNothing) {
  PluginHarness harness;
  const PictureResult picture = harness.PictureFromFile("/nowhere/plan.dxf", 0, 1);
  EXPECT_EQ(picture.result, kStoppedByHost);
  EXPECT_FALSE(picture.pixelsReturned);
  ASSERT_TRUE(picture.headerReturned);
  EXPECT_EQ(picture.headerBlockSize, 1064u);
  EXPECT_EQ(picture.header.biSize, 40u);
  for (std::size_t i = 4; i < picture.headerBlock.size(); ++i) ASSERT_EQ(picture.headerBlock[i], 0) << i;
  EXPECT_EQ(picture.progress.size(), 1u);
  EXPECT_EQ(harness.Surfaces().SurfacesCreated(), 0);
}

struct SizeCase {
  std::int32_t width;
  std::int32_t height;
  std::int32_t expected;
};

TEST(PicturePipeline, OutputSizesThatCannotBeDrawn) {
  const SizeCase cases[] = {
      {0, 453, kInternalError},
      {640, 0, kInternalError},
      {-5, 453, kInternalError},
      {640, -1, kInternalError},
      {100000, 100000, kOutOfMemory},  // the pixel block does not fit 32-bit sizes
      {INT32_MAX, 1, kOutOfMemory},
      {1, 1, kSuccess},
  };
  for (const SizeCase& c : cases) {
    Settings settings;
    settings.OutputWidth = c.width;
    settings.OutputHeight = c.height;
    PluginHarness harness(settings);
    const PictureResult picture = harness.PictureFromMemory(SmallDrawing());
    EXPECT_EQ(picture.result, c.expected) << c.width << " x " << c.height;
  }
}

TEST(PicturePipeline, CallbackMayBeNull) {
  PluginHarness harness;
  const std::string text = SmallDrawing();
  HostHandle info = nullptr;
  HostHandle pixels = nullptr;
  ASSERT_EQ(harness.Body().GetPictureCore(text.data(), static_cast<std::int32_t>(text.size()), 1, &info, &pixels,
                                          nullptr, 0),
            kSuccess);
  harness.Memory().Free(info);
  harness.Memory().Free(pixels);
}

}  // namespace
}  // namespace karvex

namespace karvex::testing {
namespace {

// Drawings of a megabyte and more are read ahead on a second thread (where
// the machine has a second processor): the same calls on the canvas, the
// same pixels and the same progress reports, also when the host stops the
// request part of the way through.
TEST(PicturePipeline, LargeDrawingsReadAheadGiveTheSamePicture) {
  std::vector<std::pair<std::string, std::string>> drawings = {{"a large line drawing", LargeLineDrawing(3'000'000)}};
  // The corpus's large drawings too, where the corpus is beside the project.
  std::error_code missing;
  for (const auto& entry : std::filesystem::directory_iterator(KARVEX_CORPUS_DIR, missing)) {
    if (entry.path().extension() != ".dxf" || entry.file_size() < (std::size_t{1} << 20)) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    drawings.emplace_back(entry.path().filename().string(),
                          std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
  }
  for (const auto& [name, text] : drawings) {
    for (std::int64_t abortFrom : {0, 20}) {
      PluginHarness plain;
      PluginHarness ahead({}, nullptr, true);
      const PictureResult expected = plain.PictureFromMemory(text, abortFrom);
      const PictureResult got = ahead.PictureFromMemory(text, abortFrom);
      const std::string what = name + ", stopped at " + std::to_string(abortFrom);
      EXPECT_EQ(got.result, expected.result) << what;
      EXPECT_EQ(got.progress, expected.progress) << what;
      EXPECT_TRUE(got.pixels == expected.pixels) << what;
      EXPECT_EQ(ahead.Surfaces().CallStrings(), plain.Surfaces().CallStrings()) << what;
    }
  }
}

}  // namespace
}  // namespace karvex::testing
