// The two other ways to draw a drawing: as SVG, which a viewer shows with
// the lines and circles where the PNG has them, and smooth (--smooth),
// which reduced to black and white is the PNG.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cli/converter_run.h"
#include "cli/grey_picture.h"
#include "support/dxf_text.h"

namespace karvex::testing {
namespace {

std::string Fixture(const std::string& name) { return std::string(KARVEX_SOURCE_DIR) + "/tests/fixtures/" + name; }

bool HaveProgram(const std::string& name) { return RunShell("command -v " + name + " >/dev/null").exitCode == 0; }

// Blurred ink that says a picture has ink within a pixel: one black pixel
// among the 3 x 3 gives 255 / 9.
constexpr int kInkWithinAPixel = 25;

// How well two pictures of one drawing agree where either has ink.
struct InkAgreement {
  int inked = 0;      // pixels with at least half ink in the first picture
  int answered = 0;   // of those, the ones the second has ink around
};

// Pixels of `from` with at least half ink, and whether `other` has some ink
// within a pixel of each (its ink blurred over the 3 x 3 around it).
InkAgreement InkAnswered(const GreyPicture& from, const GreyPicture& other, int blurredEnough) {
  InkAgreement agreement;
  for (std::int32_t y = 0; y < from.Height(); ++y) {
    for (std::int32_t x = 0; x < from.Width(); ++x) {
      if (from.Ink(x, y) < 128) continue;
      ++agreement.inked;
      if (other.BlurredInk(x, y) >= blurredEnough) ++agreement.answered;
    }
  }
  return agreement;
}

TEST(SvgOutput, FixturesParseAndAViewerDrawsTheirFiguresWhereThePictureHasThem) {
  if (!HaveProgram("rsvg-convert")) GTEST_SKIP() << "rsvg-convert is missing (Debian's librsvg2-bin; scripts/setup.sh)";
  const std::vector<std::string> names = {"lines", "circles_arcs", "polylines_solids", "blocks", "block_names"};
  Scratch scratch;
  std::string documents, sizes;
  for (const std::string& name : names) {
    const std::string input = Fixture(name + ".dxf");
    ASSERT_EQ(scratch.Run({"render", input, "-o", name + ".svg"}).exitCode, 0) << name;
    ASSERT_EQ(scratch.Run({"render", input, "-o", name + ".png"}).exitCode, 0) << name;
    documents += " " + ShellQuoted(scratch.Path(name + ".svg"));
    const GreyPicture picture = GreyPicture::FromPng(scratch.Path(name + ".png"));
    const std::string size = std::to_string(picture.Width()) + " " + std::to_string(picture.Height());
    sizes += "{http://www.w3.org/2000/svg}svg " + size + " 0 0 " + size + "\n";
  }
  // One run of Python reads them all: it takes a while to start.
  const ShellRun parsed = RunShell(
      "python3 -c 'import sys, xml.etree.ElementTree as E\nfor d in sys.argv[1:]:\n r = E.parse(d).getroot(); "
      "print(r.tag, r.get(\"width\"), r.get(\"height\"), r.get(\"viewBox\"))'" +
      documents);
  EXPECT_EQ(parsed.exitCode, 0) << parsed.output;
  EXPECT_EQ(parsed.output, sizes);

  for (const std::string& name : names) {
    const ShellRun shown = RunShell("rsvg-convert " + ShellQuoted(scratch.Path(name + ".svg")) + " -o " +
                                    ShellQuoted(scratch.Path(name + ".viewed.png")));
    ASSERT_EQ(shown.exitCode, 0) << name << ": " << shown.output;
    const GreyPicture picture = GreyPicture::FromPng(scratch.Path(name + ".png"));
    const GreyPicture viewed = GreyPicture::FromPng(scratch.Path(name + ".viewed.png"));
    ASSERT_EQ(viewed.Width(), picture.Width()) << name;
    ASSERT_EQ(viewed.Height(), picture.Height()) << name;
    const InkAgreement ours = InkAnswered(picture, viewed, kInkWithinAPixel);
    ASSERT_GT(ours.inked, 0) << name;
    for (const InkAgreement& agreement : {ours, InkAnswered(viewed, picture, kInkWithinAPixel)}) {
      EXPECT_GE(agreement.answered * 1000, agreement.inked * 995)
          << name << ": " << agreement.answered << " of " << agreement.inked;
    }
  }
}

// A drawing with a text that needs escaping, in code page 932 as the
// plug-in reads it: "<A&B> 日本".
std::string TextDrawing() {
  return DxfText()
      .Section("HEADER", {{9, "$ACADVER"}, {1, "AC1009"}, {9, "$EXTMAX"}, {10, "100"}, {20, "100"}})
      .Section("ENTITIES", {{0, "TEXT"}, {10, "10"}, {20, "50"}, {40, "8"}, {50, "30"}, {1, "<A&B> \x93\xfa\x96\x7b"},
                            {0, "CIRCLE"}, {10, "50"}, {20, "50"}, {40, "30"}})
      .Eof()
      .Text();
}

TEST(SvgOutput, TextsAreTheirCharactersAsTheConverterDecodesThem) {
  Scratch scratch;
  scratch.Write("t.dxf", TextDrawing());
  ASSERT_EQ(scratch.Run({"render", "t.dxf", "-o", "t.svg"}).exitCode, 0);
  const ShellRun parsed = RunShell(
      "python3 -c 'import sys, xml.etree.ElementTree as E\nfor t in E.parse(sys.argv[1]).iter(\"{http://www.w3.org/"
      "2000/svg}text\"):\n print(t.text, t.get(\"transform\"))' " +
      ShellQuoted(scratch.Path("t.svg")));
  EXPECT_EQ(parsed.exitCode, 0) << parsed.output;
  EXPECT_EQ(parsed.output.substr(0, parsed.output.find(" rotate")), "<A&B> \xE6\x97\xA5\xE6\x9C\xAC");
  EXPECT_NE(parsed.output.find(" rotate(-30 "), std::string::npos) << parsed.output;
}

// On standard output the document comes once it is complete: a drawing
// that fails sends nothing.
TEST(SvgOutput, StandardOutputGetsTheWholeDocumentOrNothing) {
  Scratch scratch;
  scratch.Write("t.dxf", TextDrawing());
  ASSERT_EQ(scratch.Run({"render", "t.dxf", "-o", "t.svg"}).exitCode, 0);
  const ConverterRun whole = scratch.Run({"render", "-", "-o", "-", "--format", "svg"}, TextDrawing());
  EXPECT_EQ(whole.exitCode, 0) << whole.err;
  EXPECT_EQ(whole.out, ReadFile(scratch.Path("t.svg")));

  const std::string failing = TextDrawing().substr(0, TextDrawing().rfind("EOF")) + "1x\r\n";
  const ConverterRun failed = scratch.Run({"render", "-", "-o", "-", "--format", "svg"}, failing);
  EXPECT_EQ(failed.exitCode, 1) << failed.err;
  EXPECT_EQ(failed.out, "");
}

TEST(SmoothPicture, ReducedToBlackAndWhiteItIsTheAliasedPicture) {
  struct Case {
    const char* name;
    int samePercent;  // of the pixels inked in either, the share inked in both, at least
  };
  // Coloured lines drawn smooth keep less than half their ink where they
  // fall between pixels; glyphs drawn smooth are hinted for grey, not for
  // black and white.
  const Case cases[] = {{"lines", 95}, {"circles_arcs", 95}, {"blocks", 95}, {"polylines_solids", 85}, {"texts", 65}};
  for (const Case& c : cases) {
    Scratch scratch;
    const std::string input = Fixture(std::string(c.name) + ".dxf");
    ASSERT_EQ(scratch.Run({"render", input, "-o", "hard.png"}).exitCode, 0) << c.name;
    ASSERT_EQ(scratch.Run({"render", input, "-o", "smooth.png", "--smooth"}).exitCode, 0) << c.name;
    const GreyPicture hard = GreyPicture::FromPng(scratch.Path("hard.png"));
    const GreyPicture smooth = GreyPicture::FromPng(scratch.Path("smooth.png"));
    ASSERT_EQ(smooth.Width(), hard.Width());
    ASSERT_EQ(smooth.Height(), hard.Height());
    int inked = 0, same = 0, inBetween = 0;
    for (std::int32_t y = 0; y < hard.Height(); ++y) {
      for (std::int32_t x = 0; x < hard.Width(); ++x) {
        const bool inHard = hard.Ink(x, y) >= 128, inSmooth = smooth.Ink(x, y) >= 128;
        if (inHard || inSmooth) ++inked;
        if (inHard && inSmooth) ++same;
        if (smooth.Ink(x, y) != hard.Ink(x, y) && smooth.Ink(x, y) > 0) ++inBetween;
      }
    }
    EXPECT_GE(same * 100, inked * c.samePercent) << c.name << ": " << same << " of " << inked;
    EXPECT_GT(inBetween, inked / 2) << c.name << ": the edges are not smooth";
    for (const InkAgreement& agreement :
         {InkAnswered(hard, smooth, kInkWithinAPixel), InkAnswered(smooth, hard, kInkWithinAPixel)}) {
      EXPECT_GE(agreement.answered * 1000, agreement.inked * 995)
          << c.name << ": " << agreement.answered << " of " << agreement.inked;
    }
  }
}

}  // namespace
}  // namespace karvex::testing
