// `karvex info`, `karvex config`, --help and --version, run as a user runs
// them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/converter_run.h"
#include "support/dxf_text.h"

namespace karvex::testing {
namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(InfoCli, TellsWhatTheDrawingHoldsWithoutWritingAPicture) {
  Scratch scratch;
  scratch.Write("plan.dxf",
                DxfText("\n")
                    .Section("HEADER", {{9, "$ACADVER"},
                                        {1, "AC1015"},
                                        {9, "$DWGCODEPAGE"},
                                        {3, "ANSI_1251"},
                                        {9, "$EXTMIN"},
                                        {10, "-10"},
                                        {20, "-5"},
                                        {9, "$EXTMAX"},
                                        {10, "100"},
                                        {20, "50"}})
                    .Section("BLOCKS", {{0, "BLOCK"},
                                        {2, "DOOR"},
                                        {0, "ARC"},
                                        {0, "ENDBLK"},
                                        {0, "BLOCK"},  // no name of its own
                                        {0, "INSERT"},
                                        {2, "DOOR"},
                                        {0, "ENDBLK"}})
                    .Section("ENTITIES", {{0, "LINE"}, {0, "LINE"}, {0, "MTEXT"}, {0, "INSERT"}, {2, "DOOR"}})
                    .Eof()
                    .Text());
  const ConverterRun run = scratch.Run({"info", "plan.dxf"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  for (const char* line :
       {"version       AC1015\n", "code page     ANSI_1251\n", "line ends     LF\n",
        "texts         read as CP1251 ($DWGCODEPAGE ANSI_1251)\n", "result        0 (drawn; blank picture: none of the 3 entities drawn sets a pixel on it",
        "reading       to the (0, \"EOF\") pair\n",
        "rectangle     (-10, -5) to (100, 50), from the extents ($EXTMIN, $EXTMAX)\n",
        "DrawScale     5.81818199 pixels per drawing unit\n",  // 640 / 110
        "picture       640 x 453 pixels\n", "blocks        2: DOOR, (no name)\n",
        "block index   1 recorded under another name (INSERTs of their own name draw nothing): "
        "(no name) as DOOR\n",
        "entities      kind    in ENTITIES  in blocks  drawn\n", "              LINE              2          0  yes\n",
        "              ARC               0          1  yes\n", "              MTEXT             1          0  no\n",
        "passed over   1 MTEXT\n"}) {
    EXPECT_TRUE(Contains(run.out, line)) << line << "in\n" << run.out;
  }
  EXPECT_EQ(scratch.Files(), std::vector<std::string>{"plan.dxf"});
}

// The HEADER reader merges extents, limits and the origin, and falls back to
// 10000 units on an axis that none of them spans.
TEST(InfoCli, SaysWhereTheRectangleCameFrom) {
  struct Case {
    std::vector<Pair> header;
    const char* rectangle;
  };
  const Case cases[] = {
      {{{9, "$LIMMIN"}, {10, "0"}, {20, "0"}, {9, "$LIMMAX"}, {10, "420"}, {20, "297"}},
       "(0, 0) to (420, 297), from the limits ($LIMMIN, $LIMMAX)"},
      {{{9, "$EXTMIN"}, {10, "100"}, {20, "100"}, {9, "$EXTMAX"}, {10, "200"}, {20, "200"}},
       "(0, 0) to (200, 200), from the extents ($EXTMIN, $EXTMAX), widened to take in the origin"},
      {{{9, "$EXTMAX"}, {10, "500"}, {20, "300"}, {9, "$LIMMAX"}, {10, "420"}, {20, "297"},
        {9, "$EXTMIN"}, {10, "0"}, {20, "0"}, {9, "$LIMMIN"}, {10, "-10"}, {20, "-5"}},
       "(-10, -5) to (500, 300), x from $LIMMIN to $EXTMAX, y from $LIMMIN to $EXTMAX"},
      {{{9, "$EXTMAX"}, {10, "100"}, {9, "$ACADVER"}, {1, "AC1009"}},
       "(0, 0) to (100, 10000), x from the origin to $EXTMAX, y from the origin to the fall-back"},
      {{{9, "$ACADVER"}, {1, "AC1009"}},
       "(0, 0) to (10000, 10000), the fall-back of 10000 units each way from the origin, as the HEADER has no "
       "$EXTMIN, $EXTMAX, $LIMMIN or $LIMMAX"},
      {{{9, "$EXTMAX"}, {10, "-5"}, {20, "0"}},
       "(0, 0) to (10000, 10000), the fall-back of 10000 units each way from the origin, as the HEADER's extents "
       "and limits span nothing"},
  };
  for (const Case& c : cases) {
    Scratch scratch;
    DxfText text;
    text.Add(0, "SECTION").Add(2, "HEADER");
    for (const Pair& pair : c.header) text.Add(pair.code, pair.value);
    scratch.Write("plan.dxf", text.Add(0, "ENDSEC").Eof().Text());
    const ConverterRun run = scratch.Run({"info", "plan.dxf"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, std::string("\nrectangle     ") + c.rectangle + "\n")) << c.rectangle << "\n" << run.out;
  }
}

// A binary file is said to be one; its bytes are not taken for lines.
TEST(InfoCli, ABinaryDxfIsSaidToBeOne) {
  Scratch scratch;
  scratch.Write("binary.dxf", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + std::string("\x00\x08SECTION\n\n\r", 12));
  const ConverterRun run = scratch.Run({"info", "binary.dxf"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out,
            "file          binary.dxf\n"
            "bytes         34\n"
            "format        binary DXF, which is not read: only text (ASCII) DXF is\n"
            "result        8 (a binary DXF file; only text (ASCII) DXF can be drawn: save it as ASCII DXF)\n");
}

TEST(InfoCli, ADrawingThatCannotBeDrawnStillTellsWhatItHolds) {
  Scratch scratch;
  scratch.Write("cut.dxf", DxfText().Section("HEADER", {{9, "$ACADVER"}, {1, "AC1009"}}).Text());
  const ConverterRun run = scratch.Run({"info", "cut.dxf", "--size", "100x80"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Contains(run.out, "version       AC1009\n")) << run.out;
  EXPECT_TRUE(Contains(run.out, "result        8 (the text ends at line 10 of 10")) << run.out;
  EXPECT_TRUE(Contains(run.out, "picture       100 x 80 pixels\n")) << run.out;
  EXPECT_EQ(scratch.Run({"info", "missing.dxf"}).err, "karvex: missing.dxf: no such file\n");
}

TEST(ConfigCli, ShowsEditsAndRefusesTheSettingsFile) {
  Scratch scratch;
  ConverterRun run = scratch.Run({"config"});
  EXPECT_EQ(run.exitCode, 0);
  const std::string defaultChoices = "alignment     origin (mode 1)\nline types    off\ncolours       off\nall kinds     off\n";
  EXPECT_EQ(run.out, "settings file " + scratch.SettingsFile() +
                         " (not written yet: the defaults)\nwidth         640\nheight        453\n" + defaultChoices);
  EXPECT_TRUE(ReadFile(scratch.SettingsFile()).empty());  // showing writes nothing

  run = scratch.Run({"config", "--width", "1024", "--ratio"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "settings file " + scratch.SettingsFile() + " (written)\nwidth         1024\nheight        724\n" +
                         defaultChoices);
  const std::string written = ReadFile(scratch.SettingsFile());
  EXPECT_TRUE(Contains(written, "DXF_W=1024") && Contains(written, "DXF_H=724")) << written;

  // The converter draws at the new size.
  scratch.Write("plan.dxf", EntitiesOnly({{0, "LINE"}}));
  ASSERT_EQ(scratch.Run({"render", "-q", "plan.dxf", "-o", "plan.bmp"}).exitCode, 0);
  const std::string bmp = ReadFile(scratch.Path("plan.bmp"));
  ASSERT_GE(bmp.size(), 26u);
  EXPECT_EQ(static_cast<unsigned char>(bmp[18]) | static_cast<unsigned char>(bmp[19]) << 8, 1024);

  // Values outside 1..9999 are refused and nothing is written.
  for (const std::vector<std::string>& refused : {std::vector<std::string>{"config", "--width", "0"},
                                                  {"config", "--height", "10000"},
                                                  {"config", "--reset", "--width", "-3"}}) {
    run = scratch.Run(refused);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(Contains(run.err, "must be a whole number from 1 to 9999")) << run.err;
    EXPECT_EQ(ReadFile(scratch.SettingsFile()), written);
  }

  run = scratch.Run({"config", "--height", "600", "--ratio"});
  EXPECT_TRUE(Contains(run.out, "width         424\nheight        600\n")) << run.out;
  run = scratch.Run({"config", "--reset"});
  EXPECT_TRUE(Contains(run.out, "width         640\nheight        453\n")) << run.out;
}

// config writes the alignment mode and the options; render and info follow
// the file, and their own options win for the run.
TEST(ConfigCli, AlignmentAndOptionsGoIntoTheFileAndRenderFollowsThem) {
  Scratch scratch;
  ConverterRun run = scratch.Run({"config", "--align", "fit", "--line-types", "--colours"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(Contains(run.out, "alignment     fit (mode 3)\nline types    on\ncolours       on\n")) << run.out;
  const std::string written = ReadFile(scratch.SettingsFile());
  for (const char* line : {"CenterPos=3\n", "LineTypes=1\n", "LineColors=1\n"}) {
    EXPECT_TRUE(Contains(written, line)) << line << "in\n" << written;
  }

  scratch.Write("plan.dxf", DxfText()
                                .Section("HEADER", {{9, "$EXTMAX"}, {10, "1e20"}, {20, "1e20"}})
                                .Section("ENTITIES", {{0, "LINE"}, {10, "10"}, {20, "10"}, {11, "20"}, {21, "15"}})
                                .Eof()
                                .Text());
  run = scratch.Run({"info", "plan.dxf"});
  EXPECT_TRUE(Contains(run.out, "              3, --align fit: the box of what is drawn, (10, 10) to (20, 15), 61.7 "
                                "pixels per unit (drawn so)\n"))
      << run.out;
  run = scratch.Run({"info", "plan.dxf", "--align", "centre"});
  EXPECT_TRUE(Contains(run.out, "              2, --align centre: the origin at column 320, row 226, 2.265e-18 "
                                "pixels per unit (drawn so)\n"))
      << run.out;

  // In colours on black, fitted: the line runs across the picture; drawn
  // as the HEADER says, in black on white, it is too small to be seen.
  auto pixel = [&](const std::string& bmp, std::int32_t x, std::int32_t y) {
    const std::size_t stride = 640 * 3;
    const std::size_t at = 54 + static_cast<std::size_t>(452 - y) * stride + static_cast<std::size_t>(x) * 3;
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bmp[at + 2])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bmp[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bmp[at])) << 16;
  };
  ASSERT_EQ(scratch.Run({"render", "-q", "plan.dxf", "-o", "fitted.bmp"}).exitCode, 0);
  const std::string fitted = ReadFile(scratch.Path("fitted.bmp"));
  ASSERT_EQ(fitted.size(), 54u + 640 * 3 * 453);
  EXPECT_EQ(pixel(fitted, 0, 0), 0x000000u);
  EXPECT_EQ(pixel(fitted, 11, 381), 0xFFFFFFu);  // colour 7 (line colour 2), white on black
  ASSERT_EQ(scratch.Run({"render", "-q", "plan.dxf", "-o", "plain.bmp", "--align", "origin", "--no-colours"}).exitCode,
            0);
  const std::string plain = ReadFile(scratch.Path("plain.bmp"));
  EXPECT_EQ(plain.find_first_not_of('\xFF', 54), std::string::npos);
}

// What render would not draw as the file says is marked; render agrees.
TEST(ConfigCli, ShowsAStoredSizeThatRenderWouldNotDrawAsSuch) {
  struct Case {
    const char* file;
    const char* shown;
    int renderExit;
  };
  const Case cases[] = {
      {"[System]\nDXF_W=abc\nDXF_H=-5\n",
       "width         640 (the file holds DXF_W=abc, not a whole number: render uses the default)\n"
       "height        -5 (render refuses it: set 1 to 9999 with 'karvex config --height N')\n",
       1},
      {"[System]\nDXF_W=0\nDXF_H=300\n",
       "width         0 (render refuses it: set 1 to 9999 with 'karvex config --width N')\nheight        300\n", 1},
      {"[system]\n dxf_w = 800 \nDXF_H=+0600\n", "width         800\nheight        600\n", 0},
  };
  for (const Case& c : cases) {
    Scratch scratch;
    scratch.Write("config/karvex/settings.ini", c.file);
    scratch.Write("plan.dxf", EntitiesOnly({{0, "LINE"}}));
    const ConverterRun run = scratch.Run({"config"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "settings file " + scratch.SettingsFile() + " (read)\n" + c.shown +
                           "alignment     origin (mode 1)\nline types    off\ncolours       off\nall kinds     off\n")
        << c.file;
    EXPECT_EQ(scratch.Run({"render", "-q", "plan.dxf"}).exitCode, c.renderExit) << c.file;
  }
}

TEST(ConfigCli, ASettingsFileThatCannotBeWrittenIsSaid) {
  Scratch scratch;
  scratch.Write("config", "a file where the settings folder belongs");
  const ConverterRun run = scratch.Run({"config", "--width", "800"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "karvex: cannot write the settings file " + scratch.SettingsFile() + "\n");
}

TEST(HelpCli, HelpShowsEveryOptionWithAnExampleAndVersionItsNumber) {
  Scratch scratch;
  const ConverterRun help = scratch.Run({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  for (const char* option : {"-o, --output", "--format", "--size", "-j, --jobs", "--encoding", "--trace", "--fail-on-blank", "-q, --quiet",
                             "--width", "--height", "--ratio", "--reset", "karvex info",
                             "karvex render plan.dxf -o plan.png", "karvex config --width 1024 --ratio"}) {
    EXPECT_TRUE(Contains(help.out, option)) << option;
  }
  EXPECT_EQ(scratch.Run({"render", "--help"}).out.substr(0, 14), "karvex render ");
  EXPECT_EQ(scratch.Run({"--version"}).out, std::string("karvex ") + KARVEX_VERSION_TEXT + "\n");
  const ConverterRun wrong = scratch.Run({"help", "colours"});
  EXPECT_EQ(wrong.exitCode, 2);
}

}  // namespace
}  // namespace karvex::testing
