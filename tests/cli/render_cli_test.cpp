// `karvex render` run as a user runs it: inputs and options against exit
// status, the picture written and the messages on standard error.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "cli/converter_run.h"
#include "support/dxf_text.h"

namespace karvex::testing {
namespace {

using Args = std::vector<std::string>;

// A drawing with nothing to remark on: lines, a circle and a text inside the
// rectangle of its HEADER.
std::string Plan() {
  return DxfText()
      .Section("HEADER", {{9, "$ACADVER"},
                          {1, "AC1009"},
                          {9, "$EXTMIN"},
                          {10, "0"},
                          {20, "0"},
                          {9, "$EXTMAX"},
                          {10, "100"},
                          {20, "100"}})
      .Section("ENTITIES", {{0, "LINE"},
                            {10, "10"},
                            {20, "10"},
                            {11, "90"},
                            {21, "90"},
                            {0, "CIRCLE"},
                            {10, "50"},
                            {20, "50"},
                            {40, "30"},
                            {0, "TEXT"},
                            {10, "20"},
                            {20, "20"},
                            {40, "8"},
                            {1, "AB"}})
      .Eof()
      .Text();
}

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

std::uint32_t LittleEndian32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return value;
}

// "PNG 640x453", "BMP 640x453" (with every header field checked), "SVG
// 640x453", or what is wrong with the bytes.
std::string PictureKind(const std::string& bytes) {
  if (bytes.size() > 24 && bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0 && bytes.compare(12, 4, "IHDR") == 0) {
    return "PNG " + std::to_string(BigEndian32(bytes, 16)) + "x" + std::to_string(BigEndian32(bytes, 20));
  }
  if (bytes.size() >= 54 && bytes.compare(0, 2, "BM") == 0) {
    const std::uint32_t width = LittleEndian32(bytes, 18);
    const std::uint32_t height = LittleEndian32(bytes, 22);
    const std::uint32_t stride = (24 * width + 31) / 32 * 4;
    const bool headerRight = LittleEndian32(bytes, 2) == bytes.size() && LittleEndian32(bytes, 10) == 54 &&
                             LittleEndian32(bytes, 14) == 40 && bytes[26] == 1 && bytes[28] == 24 &&
                             LittleEndian32(bytes, 30) == 0 && LittleEndian32(bytes, 34) == stride * height &&
                             bytes.size() == 54 + stride * height;
    return (headerRight ? "BMP " : "BMP with a bad header ") + std::to_string(width) + "x" + std::to_string(height);
  }
  if (bytes.rfind("<?xml", 0) == 0) {
    // The root element's size, and the document's end.
    const std::size_t root = bytes.find("<svg ");
    auto attribute = [&](const std::string& name) {
      const std::size_t at = bytes.find(" " + name + "=\"", root);
      return at == std::string::npos ? std::string("?")
                                     : bytes.substr(at + name.size() + 3, bytes.find('"', at + name.size() + 3) -
                                                                              (at + name.size() + 3));
    };
    const bool ended = bytes.size() > 7 && bytes.compare(bytes.size() - 7, 7, "</svg>\n") == 0;
    return root == std::string::npos ? "XML without svg"
                                     : std::string(ended ? "SVG " : "SVG without its end ") + attribute("width") +
                                           "x" + attribute("height");
  }
  return bytes.empty() ? "nothing" : "unknown bytes";
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct RenderCase {
  const char* what;
  Args arguments;
  int exitCode;
  const char* outputFile;  // the picture expected, or null
  const char* kind;        // PictureKind of it
  const char* message;     // a part of standard error; "" for an empty one
};

TEST(RenderCli, InputsAndOptionsGiveTheirExitStatusPictureAndMessage) {
  const RenderCase cases[] = {
      {"beside the input, PNG by default", {"render", "plan.dxf"}, 0, "plan.png", "PNG 640x453", ""},
      {"the name's extension gives the format",
       {"render", "plan.dxf", "-o", "out.BMP"},
       0,
       "out.BMP",
       "BMP 640x453",
       ""},
      {"--format when the name says nothing",
       {"render", "plan.dxf", "-o", "out", "--format", "bmp"},
       0,
       "out",
       "BMP 640x453",
       ""},
      {"an extension that names a format not written",
       {"render", "plan.dxf", "-o", "plan.jpg"},
       2,
       nullptr,
       "",
       "karvex: -o plan.jpg: karvex cannot write .jpg pictures, only .png, .bmp and .svg (--format png|bmp|svg "
       "writes one under another extension)\nTry 'karvex --help'.\n"},
      {"--format writes under any extension",
       {"render", "plan.dxf", "-o", "plan.jpg", "--format", "png"},
       0,
       "plan.jpg",
       "PNG 640x453",
       ""},
      {"--format beside the input", {"render", "plan.dxf", "--format", "bmp"}, 0, "plan.bmp", "BMP 640x453", ""},
      {"an SVG by its extension", {"render", "plan.dxf", "-o", "plan.SVG"}, 0, "plan.SVG", "SVG 640x453", ""},
      {"an SVG beside the input", {"render", "plan.dxf", "--format", "svg"}, 0, "plan.svg", "SVG 640x453", ""},
      {"an SVG at another size",
       {"render", "plan.dxf", "--size", "101x57", "-o", "s.svg"},
       0,
       "s.svg",
       "SVG 101x57",
       ""},
      {"--smooth for PNG", {"render", "plan.dxf", "--smooth"}, 0, "plan.png", "PNG 640x453", ""},
      {"--smooth for BMP", {"render", "plan.dxf", "--smooth", "-o", "s.bmp"}, 0, "s.bmp", "BMP 640x453", ""},
      {"--smooth is refused for SVG",
       {"render", "plan.dxf", "--smooth", "-o", "s.svg"},
       2,
       nullptr,
       "",
       "karvex: --smooth is for PNG and BMP pictures: an SVG is drawn smooth by whatever shows it\n"},
      {"-o naming a folder", {"render", "plan.dxf", "-o", "pictures"}, 0, "pictures/plan.png", "PNG 640x453", ""},
      {"--size overrides the settings",
       {"render", "plan.dxf", "--size", "101x57", "-o", "s.bmp"},
       0,
       "s.bmp",
       "BMP 101x57",
       ""},
      {"format and name disagree",
       {"render", "plan.dxf", "-o", "x.png", "--format", "bmp"},
       2,
       nullptr,
       "",
       "-o x.png names a PNG file but --format asks for BMP"},
      {"a missing file", {"render", "missing.dxf"}, 1, nullptr, "", "karvex: missing.dxf: no such file"},
      {"a directory", {"render", "pictures"}, 1, nullptr, "", "karvex: pictures: is a directory"},
      {"an empty file", {"render", "empty.dxf"}, 1, nullptr, "", "karvex: empty.dxf: cannot draw: the file is empty"},
      {"a binary DXF", {"render", "binary.dxf"}, 1, nullptr, "", "binary.dxf: cannot draw: a binary DXF file"},
      {"not DXF at all",
       {"render", "photo.dxf"},
       1,
       nullptr,
       "",
       "photo.dxf: cannot draw: not a DXF file: line 1 \"\\x89PNG\" is not a group code"},
      {"a byte-order mark", {"render", "bom.dxf"}, 1, nullptr, "", "UTF-8 byte-order mark"},
      {"a folder that does not exist",
       {"render", "plan.dxf", "-o", "nowhere/x.png"},
       1,
       nullptr,
       "",
       "karvex: plan.dxf: cannot write nowhere/x.png: its folder does not exist"},
      {"an SVG in a folder that does not exist",
       {"render", "plan.dxf", "-o", "nowhere/x.svg"},
       1,
       nullptr,
       "",
       "karvex: plan.dxf: cannot write nowhere/x.svg: its folder does not exist"},
      {"a file taken for a folder",
       {"render", "plan.dxf", "-o", "empty.dxf/x.png"},
       1,
       nullptr,
       "",
       "a part of its path is not a folder"},
      {"a group code line between sections",
       {"render", "between.dxf"},
       1,
       nullptr,
       "",
       "between.dxf: cannot draw: reading stopped at line 11 of 14, between sections: \"1x\" is not a group code"},
      {"a drawing that fails leaves no part of its SVG",
       {"render", "between.dxf", "-o", "between.svg"},
       1,
       nullptr,
       "",
       "between.dxf: cannot draw: reading stopped at line 11 of 14"},
      {"no (0, EOF) pair",
       {"render", "noeof.dxf"},
       1,
       nullptr,
       "",
       "noeof.dxf: cannot draw: the text ends at line 10 of 10, between sections, without an (0, \"EOF\") pair"},
      {"the text ends inside a pair",
       {"render", "cut.dxf"},
       1,
       nullptr,
       "",
       "cut.dxf: cannot draw: the text ends inside a pair at line 11 of 11, between sections: the group code \"  0\" "
       "has no value line"},
      {"a bad line inside ENTITIES draws what came before",
       {"render", "partial.dxf"},
       0,
       "partial.png",
       "PNG 640x453",
       "karvex: partial.dxf: drawn in part: reading stopped at line 25 of 30, in the ENTITIES section: \"2x\" is "
       "not a group code (a whole number was expected); what follows is not read"},
      {"a value that is not a number",
       {"render", "value.dxf"},
       0,
       "value.png",
       "PNG 640x453",
       "value.dxf: blank picture: reading stopped at line 8 of 12, in the HEADER section: group 10 value \"1,5\" is "
       "not a number; what follows is not read\n"},
      {"no HEADER",
       {"render", "noheader.dxf"},
       0,
       "noheader.png",
       "PNG 640x453",
       "noheader.dxf: blank picture: no HEADER section: without a drawing rectangle the scale is 0"},
      {"--quiet hides the notes", {"render", "-q", "noheader.dxf", "-o", "q.png"}, 0, "q.png", "PNG 640x453", ""},
      {"--fail-on-blank writes no blank picture, even with --quiet",
       {"render", "-q", "--fail-on-blank", "noheader.dxf"},
       1,
       nullptr,
       "",
       "karvex: noheader.dxf: blank picture, not written (--fail-on-blank): no HEADER section: without a drawing "
       "rectangle the scale is 0, so everything lands on one point at the bottom-left corner; try --align fit\n"},
      {"--fail-on-blank writes no blank SVG",
       {"render", "-q", "--fail-on-blank", "noheader.dxf", "-o", "n.svg"},
       1,
       nullptr,
       "",
       "noheader.dxf: blank picture, not written (--fail-on-blank)"},
      {"--fail-on-blank passes a picture with something on it",
       {"render", "--fail-on-blank", "plan.dxf"},
       0,
       "plan.png",
       "PNG 640x453",
       ""},
      {"--quiet never hides errors", {"render", "-q", "missing.dxf"}, 1, nullptr, "", "missing.dxf: no such file"},
      {"a usage error",
       {"render"},
       2,
       nullptr,
       "",
       "karvex: 'render' needs at least one DXF file\nTry 'karvex --help'."},
      {"an unknown encoding", {"render", "plan.dxf", "--encoding", "klingon"}, 2, nullptr, "", "unknown encoding"},
      {"a picture would overwrite its input",
       {"render", "plan.dxf", "-o", "plan.dxf", "--format", "png"},
       2,
       nullptr,
       "",
       "plan.dxf would be overwritten by its own picture"},
  };
  for (const RenderCase& c : cases) {
    Scratch scratch;
    scratch.Write("plan.dxf", Plan());
    scratch.Write("pictures/keep", "");
    scratch.Write("empty.dxf", "");
    scratch.Write("binary.dxf", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + "\x00\x08SECTION");
    scratch.Write("photo.dxf", "\x89PNG\r\n\x1a\n....");
    scratch.Write("bom.dxf", "\xEF\xBB\xBF  0\r\nEOF\r\n");
    // (A HEADER without variables would read past its own ENDSEC.)
    const std::initializer_list<Pair> header = {{9, "$ACADVER"}, {1, "AC1009"}};
    scratch.Write("between.dxf", DxfText().Section("HEADER", header).Raw("1x\r\nSECTION\r\n").Eof().Text());
    scratch.Write("noeof.dxf", DxfText().Section("HEADER", header).Text());
    scratch.Write("cut.dxf", DxfText().Section("HEADER", header).Raw("  0\r\n").Text());
    scratch.Write("partial.dxf", DxfText()
                                     .Section("HEADER", {{9, "$EXTMAX"}, {10, "100"}, {20, "100"}})
                                     .Raw("  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLINE\r\n 11\r\n50\r\n 21\r\n"
                                          "50\r\n  0\r\nLINE\r\n2x\r\n10\r\n")
                                     .Add({{0, "ENDSEC"}})
                                     .Eof()
                                     .Text());
    scratch.Write("value.dxf", DxfText().Section("HEADER", {{9, "$EXTMIN"}, {10, "1,5"}}).Eof().Text());
    scratch.Write("noheader.dxf", EntitiesOnly({{0, "LINE"}, {11, "1"}}));

    const ConverterRun run = scratch.Run(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.what << "\n" << run.err;
    if (*c.message == '\0') {
      EXPECT_EQ(run.err, "") << c.what;
    } else {
      EXPECT_TRUE(Contains(run.err, c.message)) << c.what << ": " << run.err;
    }
    if (c.outputFile != nullptr) EXPECT_EQ(PictureKind(ReadFile(scratch.Path(c.outputFile))), c.kind) << c.what;
    // Nothing but the expected picture is left: no temporary file, no part
    // of a picture.
    std::vector<std::string> expected = {"between.dxf", "binary.dxf", "bom.dxf",      "cut.dxf",
                                         "empty.dxf",   "noeof.dxf",  "noheader.dxf", "partial.dxf",
                                         "photo.dxf",   "pictures",   "plan.dxf",     "value.dxf"};
    if (c.outputFile != nullptr && std::string(c.outputFile).find('/') == std::string::npos) {
      expected.push_back(c.outputFile);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(scratch.Files(), expected) << c.what;
  }
}

// A picture with nothing on it is said in one line, with the likely reason.
// Where only texts without a font or INSERTs of blocks the index holds
// under another name were drawn, that is the reason, never the rectangle.
TEST(RenderCli, ABlankPictureIsSaidWithItsLikelyReason) {
  const std::initializer_list<Pair> square = {{9, "$EXTMIN"}, {10, "0"},   {20, "0"},
                                              {9, "$EXTMAX"}, {10, "100"}, {20, "100"}};
  const std::string noFont = "/nonexistent/font.ttf";
  struct Case {
    const char* what;
    std::string drawing;
    std::string font;  // KARVEX_FONT; empty: the usual one
    std::vector<const char*> notes;  // after the font's line, each after "karvex: d.dxf: "
  };
  const Case cases[] = {
      {"nothing to draw", DxfText().Section("HEADER", square).Section("ENTITIES", {}).Eof().Text(), "",
       {"blank picture: there are no entities to draw"}},
      {"only kinds passed over",
       DxfText()
           .Section("HEADER", square)
           .Section("ENTITIES", {{0, "LWPOLYLINE"}, {0, "HATCH"}, {0, "LWPOLYLINE"}})
           .Eof()
           .Text(),
       "",
       {"blank picture: no entity in it is of a kind that is drawn (passed over: 2 LWPOLYLINE, 1 HATCH); try "
        "--all-kinds"}},
      {"texts without a font",
       DxfText()
           .Section("HEADER", square)
           .Section("ENTITIES", {{0, "TEXT"}, {10, "10"}, {20, "10"}, {40, "20"}, {1, "AB"}})
           .Eof()
           .Text(),
       noFont,
       {"blank picture: it draws only texts (1), and texts are left out without a font; install "
        "fonts-ipafont-gothic, or set KARVEX_FONT to a TrueType font"}},
      {"texts with a font",
       DxfText()
           .Section("HEADER", square)
           .Section("ENTITIES", {{0, "TEXT"}, {10, "10"}, {20, "10"}, {40, "20"}, {1, "AB"}})
           .Eof()
           .Text(),
       "", {}},
      {"a block indexed under another name",  // its header gives none: an ATTDEF's tag names it
       DxfText()
           .Section("HEADER", square)
           .Section("BLOCKS", {{0, "BLOCK"}, {0, "LINE"}, {11, "10"}, {21, "10"},
                               {0, "ATTDEF"}, {2, "YPOS"}, {0, "ENDBLK"}})
           .Section("ENTITIES", {{0, "INSERT"}, {2, "FLAG"}, {10, "50"}, {20, "50"}})
           .Eof()
           .Text(),
       "",
       {"blank picture: it draws only INSERTs (1), and they find nothing to draw: blocks are recorded under "
        "another name than their own ((no name) as YPOS), so an INSERT of a block's own name finds none"}},
      {"a block that is not there",
       DxfText()
           .Section("HEADER", square)
           .Section("ENTITIES", {{0, "INSERT"}, {2, "NOSUCH"}, {10, "50"}, {20, "50"}})
           .Eof()
           .Text(),
       "",
       {"blank picture: it draws only INSERTs (1), and they find nothing to draw: the blocks they name are "
        "missing or empty"}},
      {"no HEADER", EntitiesOnly({{0, "LINE"}, {11, "50"}, {21, "50"}}), "",
       {"blank picture: no HEADER section: without a drawing rectangle the scale is 0, so everything lands on "
        "one point at the bottom-left corner; try --align fit"}},
      {"a HEADER without a rectangle",
       DxfText()
           .Section("HEADER", {{9, "$ACADVER"}, {1, "AC1009"}})
           .Section("ENTITIES", {{0, "LINE"}, {10, "1"}, {20, "1"}, {11, "2"}, {21, "2"}})
           .Eof()
           .Text(),
       "",
       {"blank picture: the HEADER has none of $EXTMIN, $EXTMAX, $LIMMIN, $LIMMAX: the drawing is scaled as if "
        "it were 10000 units across; the one entity drawn sets no pixel on it: it lies outside the rectangle (0, "
        "0) to (10000, 10000) or comes out smaller than a pixel; try --align fit"}},
      {"stale extents",
       DxfText()
           .Section("HEADER", square)
           .Section("ENTITIES", {{0, "LINE"}, {10, "500"}, {20, "500"}, {11, "600"}, {21, "600"},
                                 {0, "CIRCLE"}, {10, "-300"}, {20, "50"}, {40, "10"}})
           .Eof()
           .Text(),
       "",
       {"blank picture: none of the 2 entities drawn sets a pixel on it: they lie outside the rectangle (0, 0) "
        "to (100, 100) that the HEADER's extents and limits give (they may be stale) or come out smaller than a "
        "pixel; try --align fit"}},
  };
  for (const Case& c : cases) {
    Scratch scratch;
    scratch.Write("d.dxf", c.drawing);
    std::map<std::string, std::string> environment;
    if (!c.font.empty()) environment["KARVEX_FONT"] = c.font;
    const ConverterRun run = scratch.Run({"render", "d.dxf"}, "", environment);
    EXPECT_EQ(run.exitCode, 0) << c.what;
    std::string notes = run.err;
    if (!c.font.empty()) {
      // The run's own line on the font comes first.
      EXPECT_EQ(notes.rfind("karvex: texts are left out: cannot open " + c.font, 0), 0u) << notes;
      notes.erase(0, notes.find('\n') + 1);
    }
    std::string expected;
    for (const char* note : c.notes) expected += std::string("karvex: d.dxf: ") + note + "\n";
    EXPECT_EQ(notes, expected) << c.what;
    EXPECT_EQ(PictureKind(ReadFile(scratch.Path("d.png"))), "PNG 640x453") << c.what;
  }
}

TEST(RenderCli, NotesSayWhichKindsWerePassedOverLeavingOutWhatIsNoEntity) {
  Scratch scratch;
  scratch.Write("mixed.dxf",
                DxfText()
                    .Section("HEADER", {{9, "$EXTMAX"}, {10, "100"}, {20, "100"}})
                    .Section("BLOCKS", {{0, "BLOCK"}, {2, "B"}, {0, "SPLINE"}, {0, "LINE"}, {11, "9"}, {0, "ENDBLK"}})
                    .Section("ENTITIES", {{0, "LINE"},
                                          {20, "10"},
                                          {11, "50"},
                                          {21, "10"},
                                          {0, "LWPOLYLINE"},
                                          {0, "LWPOLYLINE"},
                                          {0, "HATCH"},
                                          {0, "POLYLINE"},
                                          {0, "VERTEX"},
                                          {0, "VERTEX"},
                                          {10, "9"},
                                          {0, "SEQEND"},
                                          {0, "INSERT"},
                                          {2, "B"},
                                          {0, "ATTRIB"},
                                          {0, "SEQEND"},
                                          {0, "INSERT"},
                                          {2, "B"}})
                    .Eof()
                    .Text());
  const ConverterRun run = scratch.Run({"render", "mixed.dxf"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err,
            "karvex: mixed.dxf: not drawn (kinds that are passed over): 2 LWPOLYLINE, 1 ATTRIB, 1 HATCH\n"
            "karvex: mixed.dxf: not drawn in inserted blocks (counted each time a block is drawn; INSERTs inside "
            "blocks are passed over): 2 SPLINE\n");
}

}  // namespace
}  // namespace karvex::testing

namespace karvex::testing {
namespace {

// Fitted, a blank picture is never the rectangle's fault; in colours, a
// picture all in the background colour is blank too.
TEST(RenderCli, ABlankFittedPictureIsSaidForWhatIsDrawn) {
  Scratch scratch;
  scratch.Write("off.dxf", DxfText()
                               .Section("TABLES", {{0, "TABLE"}, {2, "LAYER"}, {0, "LAYER"}, {2, "GONE"}, {62, "-1"},
                                                   {0, "ENDTAB"}})
                               .Section("ENTITIES", {{0, "LINE"}, {8, "GONE"}, {10, "1"}, {20, "1"}, {11, "9"}, {21, "9"}})
                               .Eof()
                               .Text());
  ConverterRun run = scratch.Run({"render", "off.dxf", "--align", "fit", "--colours"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err,
            "karvex: off.dxf: blank picture: none of the 1 entities drawn sets a pixel on the picture fitted to them: "
            "they have no size (lines of no length, circles of no radius) or lie on layers that are off\n");
  run = scratch.Run({"render", "off.dxf", "--align", "fit"});  // black on white, every layer drawn
  EXPECT_EQ(run.err, "");
}

TEST(RenderCli, ASizeInTheSettingsFileThatCannotBeDrawnIsSaidAndSizeOverridesIt) {
  Scratch scratch;
  scratch.Write("plan.dxf", Plan());
  scratch.Write("config/karvex/settings.ini", "[System]\nDXF_W=0\n");
  const ConverterRun run = scratch.Run({"render", "plan.dxf"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err,
            "karvex: plan.dxf: cannot draw: the picture size 0 x 453 from the settings file cannot be drawn (set one "
            "with 'karvex config --width N --height N')\n");
  EXPECT_EQ(scratch.Run({"render", "plan.dxf", "--size", "64x48"}).exitCode, 0);
}

}  // namespace
}  // namespace karvex::testing

namespace karvex::testing {
namespace {

// A write that fails half-way (here: the file-size limit) leaves neither the
// picture nor its temporary file.
TEST(RenderCli, AWriteThatFailsHalfWayLeavesNothingBehind) {
  Scratch scratch;
  scratch.Write("plan.dxf", Plan());
  // The shell ignores SIGXFSZ, and so does the converter it becomes: the
  // write then fails with EFBIG instead of killing it.
  const std::string command = "cd '" + scratch.Folder() + "' && XDG_CONFIG_HOME='" + scratch.ConfigHome() +
                              "' sh -c \"ulimit -f 8; trap '' XFSZ; exec '" KARVEX_CONVERTER
                              "' render plan.dxf -o plan.bmp\" 2>err.txt";
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  EXPECT_EQ(ReadFile(scratch.Path("err.txt")), "karvex: plan.dxf: cannot write plan.bmp: File too large\n");
  EXPECT_EQ(scratch.Files(), (std::vector<std::string>{"err.txt", "plan.dxf"}));
}

}  // namespace
}  // namespace karvex::testing

namespace karvex::testing {
namespace {

// A drawing of several megabytes is mapped, and let go while its picture is
// written; read from standard input it is neither. Both give the same
// picture.
TEST(RenderCli, ALargeDrawingFromAFileDrawsAsFromStandardInput) {
  DxfText drawing;
  drawing.Section("HEADER", {{9, "$EXTMIN"}, {10, "0"}, {20, "0"}, {9, "$EXTMAX"}, {10, "1000"}, {20, "1000"}});
  drawing.Add(0, "SECTION").Add(2, "ENTITIES");
  for (int i = 0; i < 60000; ++i) {
    const std::string a = std::to_string(i % 1000) + ".123456789012";
    const std::string b = std::to_string((i * 7) % 1000) + ".5";
    drawing.Add({{0, "LINE"}, {8, "0"}, {10, a}, {20, b}, {30, "0.0"}, {11, b}, {21, a}, {31, "0.0"}});
  }
  drawing.Add(0, "ENDSEC").Eof();
  ASSERT_GT(drawing.Text().size(), std::size_t{5} << 20);
  Scratch scratch;
  scratch.Write("large.dxf", drawing.Text());

  const ConverterRun fromFile = scratch.Run({"render", "large.dxf", "-o", "file.png"});
  const ConverterRun fromInput = scratch.Run({"render", "-", "-o", "input.png"}, drawing.Text());
  ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err;
  ASSERT_EQ(fromInput.exitCode, 0) << fromInput.err;
  const std::string picture = ReadFile(scratch.Path("file.png"));
  EXPECT_EQ(PictureKind(picture), "PNG 640x453");
  EXPECT_EQ(picture, ReadFile(scratch.Path("input.png")));
}

// --modern: a drawing of today's kinds, fitted, in colours on white, for
// one run; a later option changes a part of it. Without it, the picture is
// today's blank one.
TEST(RenderCli, ModernDrawsTodaysKindsFittedOnWhite) {
  Scratch scratch;
  scratch.Write("plan.dxf", DxfText()
                                .Section("HEADER", {{9, "$EXTMAX"}, {10, "1e20"}, {20, "1e20"}})
                                .Section("ENTITIES", {{0, "LWPOLYLINE"}, {62, "1"}, {70, "1"}, {10, "0"}, {20, "0"},
                                                      {10, "40"}, {20, "0"}, {10, "40"}, {20, "20"}})
                                .Eof()
                                .Text());
  auto pixels = [&](const Args& options) {
    Args arguments = {"render", "-q", "plan.dxf", "-o", "plan.bmp"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    const ConverterRun run = scratch.Run(arguments);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string bmp = ReadFile(scratch.Path("plan.bmp"));
    std::map<std::uint32_t, int> counts;
    for (std::size_t i = 54; i + 3 <= bmp.size(); i += 3) {
      ++counts[static_cast<std::uint32_t>(static_cast<unsigned char>(bmp[i])) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bmp[i + 1])) << 8 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bmp[i + 2]))];
    }
    return counts;
  };
  // As BGR: white, and red (colour 1) for the triangle filling the picture.
  const auto modern = pixels({"--modern"});
  ASSERT_EQ(modern.size(), 2u);
  EXPECT_GT(modern.at(0xFFFFFF), 200000);
  EXPECT_GT(modern.at(0x0000FF), 1000);
  // Back in black without colours, still fitted.
  const auto plain = pixels({"--modern", "--no-colours"});
  ASSERT_EQ(plain.size(), 2u);
  EXPECT_GT(plain.at(0x000000), 1000);
  // None of it for the settings file; without it nothing is drawn.
  EXPECT_EQ(pixels({}).size(), 1u);
  EXPECT_EQ(scratch.Run({"config", "--modern"}).exitCode, 2);
}

}  // namespace
}  // namespace karvex::testing
