// Several drawings in one run, standard input and output, traces, and the
// text encoding chosen per drawing, seen through the converter's pictures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/converter_run.h"
#include "support/dxf_text.h"

namespace karvex::testing {
namespace {

using Args = std::vector<std::string>;

std::string SourceFile(const std::string& relative) { return std::string(KARVEX_SOURCE_DIR) + "/" + relative; }

std::string Line(double x1, double y1, double x2, double y2) {
  return DxfText()
      .Section("HEADER", {{9, "$EXTMAX"}, {10, "100"}, {20, "100"}})
      .Section("ENTITIES", {{0, "LINE"},
                            {10, std::to_string(x1)},
                            {20, std::to_string(y1)},
                            {11, std::to_string(x2)},
                            {21, std::to_string(y2)}})
      .Eof()
      .Text();
}

TEST(BatchCli, ManyWorkersGiveTheSameFilesAsOne) {
  std::vector<std::string> inputs = {SourceFile("samples/sample.dxf"),
                                     SourceFile("tests/fixtures/lines.dxf"),
                                     SourceFile("tests/fixtures/circles_arcs.dxf"),
                                     SourceFile("tests/fixtures/polylines_solids.dxf"),
                                     SourceFile("tests/fixtures/blocks.dxf"),
                                     SourceFile("tests/fixtures/texts.dxf"),
                                     SourceFile("tests/fixtures/lf_line_ends.dxf")};
  // A file without HEADER after one with: no scale may leak from one to the
  // other, whichever worker draws them.
  for (const char* name : {"dxf__floorplan.dxf", "gdal__entities_only.dxf", "ezjww__jwc_samples__r000rt_cp932_crlf.dxf",
                           "ezdxf__text_oblique_rotate.dxf", "libredwg__example_r14.dxf"}) {
    const std::string path = CorpusFile(name);
    if (!path.empty()) inputs.push_back(path);
  }
  Scratch scratch;
  for (const char* jobs : {"1", "4"}) {
    Args arguments = {"render", "-q", "-j", jobs, "--format", "bmp", "-o", std::string("j") + jobs};
    arguments.insert(arguments.end(), inputs.begin(), inputs.end());
    const ConverterRun run = scratch.Run(arguments);
    ASSERT_EQ(run.exitCode, 0) << run.err;
  }
  ASSERT_EQ(scratch.Files("j1").size(), inputs.size());
  EXPECT_EQ(scratch.Files("j1"), scratch.Files("j4"));
  for (const std::string& name : scratch.Files("j1")) {
    EXPECT_TRUE(ReadFile(scratch.Path("j1/" + name)) == ReadFile(scratch.Path("j4/" + name))) << name;
  }
}

TEST(BatchCli, AFailedFileIsNamedAndTheOthersAreStillDrawnInInputOrder) {
  Scratch scratch;
  scratch.Write("a.dxf", Line(10, 10, 90, 90));
  scratch.Write("b.dxf", "not a drawing\n");
  scratch.Write("c.dxf", Line(90, 10, 10, 90));
  scratch.Write("blank.dxf", Line(200, 200, 300, 300));
  const ConverterRun run = scratch.Run(
      {"render", "-j", "3", "--fail-on-blank", "a.dxf", "missing.dxf", "b.dxf", "blank.dxf", "c.dxf", "-o", "out"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err,
            "karvex: missing.dxf: no such file\n"
            "karvex: b.dxf: cannot draw: not a DXF file: line 1 \"not a drawing\" is not a group code (a DXF text "
            "starts with \"0\")\n"
            "karvex: blank.dxf: blank picture, not written (--fail-on-blank): the one entity drawn sets no pixel on "
            "it: it lies outside the rectangle (0, 0) to (100, 100) that the HEADER's extents and limits give (they "
            "may be stale) or comes out smaller than a pixel; try --align fit\n");
  EXPECT_EQ(scratch.Files("out"), (std::vector<std::string>{"a.png", "c.png"}));
}

TEST(BatchCli, StandardInputInAndStandardOutputOutGiveTheFilesPicture) {
  Scratch scratch;
  const std::string drawing = Line(10, 10, 90, 50);
  scratch.Write("plan.dxf", drawing);
  ASSERT_EQ(scratch.Run({"render", "plan.dxf", "-o", "plan.bmp"}).exitCode, 0);
  const ConverterRun piped = scratch.Run({"render", "-", "-o", "-", "--format", "bmp"}, drawing);
  EXPECT_EQ(piped.exitCode, 0) << piped.err;
  EXPECT_TRUE(piped.out == ReadFile(scratch.Path("plan.bmp")));
  // Standard output is PNG unless asked otherwise, and "-" alone writes there.
  const ConverterRun png = scratch.Run({"render", "-"}, drawing);
  EXPECT_EQ(png.out.substr(0, 4), "\x89PNG");
  const ConverterRun empty = scratch.Run({"render", "-", "-o", "x.png"});
  EXPECT_EQ(empty.exitCode, 1);
  EXPECT_EQ(empty.err, "karvex: standard input: cannot draw: the file is empty\n");
}

// Reading a terminal waits for the user: the converter says so first, and
// says nothing of the kind when standard input is a pipe (above).
TEST(BatchCli, StandardInputOnATerminalIsSaidBeforeItIsRead) {
  const std::string typed = DxfText("\n")
                                .Section("HEADER", {{9, "$EXTMAX"}, {10, "100"}, {20, "100"}})
                                .Section("ENTITIES", {{0, "LINE"}, {11, "50"}, {21, "50"}})
                                .Eof()
                                .Text();
  const std::string note =
      "karvex: reading the drawing from standard input, a terminal: end it with Ctrl-D (Ctrl-C stops)\n";
  Scratch scratch;
  const ConverterRun render = scratch.RunOnTerminal({"render", "-", "-o", "typed.png"}, typed);
  EXPECT_EQ(render.exitCode, 0);
  EXPECT_EQ(render.err, note);
  EXPECT_EQ(scratch.Files(), std::vector<std::string>{"typed.png"});
  const ConverterRun info = scratch.RunOnTerminal({"info", "-"}, "");
  EXPECT_EQ(info.exitCode, 1);
  EXPECT_EQ(info.err, note);
  EXPECT_NE(info.out.find("result        8 (the file is empty)"), std::string::npos) << info.out;
}

TEST(BatchCli, TraceHasEveryCanvasCallAsJsonLines) {
  Scratch scratch;
  scratch.Write("plan.dxf", Line(10, 10, 90, 50));
  const ConverterRun run = scratch.Run({"render", "plan.dxf", "--trace", "plan.jsonl"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  // 4.53 pixels per unit: (10, 10) is column 45, row 453 - 45.
  EXPECT_EQ(ReadFile(scratch.Path("plan.jsonl")),
            "{\"op\":\"pen\",\"args\":[0]}\n"
            "{\"op\":\"hollow_brush\",\"args\":[]}\n"
            "{\"op\":\"move\",\"args\":[45,408]}\n"
            "{\"op\":\"line\",\"args\":[408,226]}\n");
  EXPECT_EQ(scratch.Run({"render", "plan.dxf", "--trace", "nowhere/t.jsonl"}).err,
            "karvex: cannot write the trace nowhere/t.jsonl: its folder does not exist\n");
  // A drawing that cannot be had leaves no trace.
  EXPECT_EQ(scratch.Run({"render", "missing.dxf", "--trace", "missing.jsonl"}).exitCode, 1);
  EXPECT_EQ(scratch.Files(), (std::vector<std::string>{"plan.dxf", "plan.jsonl", "plan.png"}));
}

// A text's line holds its characters as drawn, whatever the drawing's
// encoding, and its bytes as read.
TEST(BatchCli, TraceWritesTextsAsTheyAreDrawnAndTheirBytes) {
  struct Case {
    const char* version;
    std::string bytes;
    const char* json;  // the line's "text" and "bytes"
  };
  const Case cases[] = {
      {"AC1009", "\x93\xfa\x96{B", R"("text":"日本B","bytes":"93fa967b42")"},
      {"AC1021", "\"a\\b\" \\U+00B0\x01", R"("text":"\"a\\b\" °\u0001","bytes":"22615c6222205c552b3030423001")"},
  };
  for (const Case& c : cases) {
    Scratch scratch;
    scratch.Write("text.dxf", DxfText()
                                  .Section("HEADER", {{9, "$ACADVER"}, {1, c.version}, {9, "$EXTMAX"}, {10, "100"}, {20, "100"}})
                                  .Section("ENTITIES", {{0, "TEXT"}, {10, "10"}, {20, "10"}, {40, "10"}, {1, c.bytes}})
                                  .Eof()
                                  .Text());
    const ConverterRun run = scratch.Run({"render", "-q", "text.dxf", "--trace", "text.jsonl"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string trace = ReadFile(scratch.Path("text.jsonl"));
    EXPECT_NE(trace.find(std::string(R"({"op":"text","args":[45,362,45,0],)") + c.json + "}\n"), std::string::npos)
        << c.version << "\n"
        << trace;
  }
}

// The picture of a drawing under each encoding, as bytes.
std::string PictureWith(const Scratch& scratch, const std::string& input, const std::string& encoding) {
  const ConverterRun run = scratch.Run({"render", "-q", input, "-o", "-", "--format", "bmp", "--encoding", encoding});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  return run.out;
}

TEST(BatchCli, EachDrawingsTextsAreDecodedAsTheDrawingSays) {
  const std::string shiftJis = CorpusFile("ezjww__jwc_samples__r000rt_cp932_crlf.dxf");
  const std::string utf8 = CorpusFile("ezdxf__text_oblique_rotate.dxf");
  if (shiftJis.empty() || utf8.empty()) GTEST_SKIP() << "the corpus is not beside the project";
  Scratch scratch;
  // A drawing that names no code page is read as the plug-in reads it.
  const std::string japanese = PictureWith(scratch, shiftJis, "auto");
  EXPECT_TRUE(japanese == PictureWith(scratch, shiftJis, "cp932"));
  EXPECT_FALSE(japanese == PictureWith(scratch, shiftJis, "utf-8"));
  // AC1027 is UTF-8, whatever its $DWGCODEPAGE says.
  const std::string degrees = PictureWith(scratch, utf8, "auto");
  EXPECT_TRUE(degrees == PictureWith(scratch, utf8, "utf-8"));
  EXPECT_FALSE(degrees == PictureWith(scratch, utf8, "cp932"));
}

}  // namespace
}  // namespace karvex::testing
