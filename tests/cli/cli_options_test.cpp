// The command line: what each command takes, and the mistakes refused
// before any file is touched.
#include "karvex/cli_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "karvex/config_command.h"
#include "karvex/converter_settings.h"

namespace karvex::tools {
namespace {

using Args = std::vector<std::string>;

TEST(CliOptions, RenderTakesOptionsAnywhereInEveryForm) {
  const CommandLine line = ParseCommandLine({"render", "a.dxf", "-o", "out", "--format=BMP", "-j4", "--size", "800x600",
                                             "--encoding", "utf-8", "--trace=t.jsonl", "-q", "--smooth"});
  EXPECT_EQ(line.command, Command::Render);
  EXPECT_EQ(line.render.inputs, (Args{"a.dxf"}));
  EXPECT_EQ(line.render.output, "out");
  EXPECT_EQ(line.render.format, PictureFormat::Bmp);
  EXPECT_EQ(line.render.jobs, 4);
  ASSERT_TRUE(line.render.size);
  EXPECT_EQ(line.render.size->width, 800);
  EXPECT_EQ(line.render.size->height, 600);
  EXPECT_EQ(line.render.encoding, "utf-8");
  EXPECT_EQ(line.render.tracePath, "t.jsonl");
  EXPECT_TRUE(line.render.quiet);
  EXPECT_TRUE(line.render.smooth);
  EXPECT_EQ(ParseCommandLine({"render", "a.dxf", "--format", "Svg"}).render.format, PictureFormat::Svg);
  // "--" ends the options; "-" alone is standard input.
  EXPECT_EQ(ParseCommandLine({"render", "--", "-o"}).render.inputs, (Args{"-o"}));
  EXPECT_EQ(ParseCommandLine({"render", "-"}).render.inputs, (Args{"-"}));
}

// The alignment mode and the two options, for one run or for the file; the
// last of --line-types and --no-line-types counts.
TEST(CliOptions, AlignmentAndOptionsForARunOrForTheSettingsFile) {
  const std::pair<const char*, std::int32_t> modes[] = {{"origin", 1}, {"centre", 2}, {"center", 2}, {"fit", 3}};
  for (const auto& [word, mode] : modes) {
    EXPECT_EQ(ParseCommandLine({"render", "a.dxf", "--align", word}).render.choices.alignment, mode) << word;
  }
  const CommandLine render = ParseCommandLine({"render", "a.dxf", "--line-types", "--colours", "--no-line-types"});
  EXPECT_EQ(render.render.choices.alignment, std::nullopt);
  EXPECT_EQ(render.render.choices.lineTypes, false);
  EXPECT_EQ(render.render.choices.lineColours, true);
  const CommandLine info = ParseCommandLine({"info", "a.dxf", "--align=centre", "--no-colours"});
  EXPECT_EQ(info.info.choices.alignment, 2);
  EXPECT_EQ(info.info.choices.lineColours, false);
  const CommandLine config = ParseCommandLine({"config", "--align", "fit", "--line-types"});
  EXPECT_TRUE(config.config.Edits());
  EXPECT_EQ(config.config.choices.alignment, 3);
  EXPECT_EQ(config.config.choices.lineTypes, true);
  EXPECT_FALSE(ParseCommandLine({"config"}).config.Edits());
}

// --modern turns on fit, line types, colours and all kinds on white; an
// option after it changes that part, one before it is overridden. config
// never takes it: it is for one run.
TEST(CliOptions, ModernIsTodaysPictureForOneRun) {
  struct Case {
    Args arguments;
    std::optional<std::int32_t> alignment;
    std::optional<bool> lineTypes, lineColours, allKinds;
    std::optional<std::int32_t> background;
  };
  const Case cases[] = {
      {{"render", "a.dxf", "--modern"}, 3, true, true, true, 0xFFFFFF},
      {{"info", "a.dxf", "--modern"}, 3, true, true, true, 0xFFFFFF},
      {{"render", "a.dxf", "--modern", "--align", "origin", "--no-all-kinds"}, 1, true, true, false, 0xFFFFFF},
      {{"render", "a.dxf", "--no-colours", "--modern"}, 3, true, true, true, 0xFFFFFF},
      {{"render", "a.dxf", "--all-kinds"}, std::nullopt, std::nullopt, std::nullopt, true, std::nullopt},
  };
  for (const Case& c : cases) {
    const CommandLine line = ParseCommandLine(c.arguments);
    const DrawingChoices& choices = line.command == Command::Info ? line.info.choices : line.render.choices;
    EXPECT_EQ(choices.alignment, c.alignment) << c.arguments.back();
    EXPECT_EQ(choices.lineTypes, c.lineTypes) << c.arguments.back();
    EXPECT_EQ(choices.lineColours, c.lineColours) << c.arguments.back();
    EXPECT_EQ(choices.allKinds, c.allKinds) << c.arguments.back();
    EXPECT_EQ(choices.background, c.background) << c.arguments.back();
  }
  EXPECT_THROW(ParseCommandLine({"config", "--modern"}), UsageError);

  Settings settings;
  ApplyChoices(ParseCommandLine({"render", "a.dxf", "--modern"}).render.choices, settings);
  EXPECT_EQ(settings.CenterPos, 3);
  EXPECT_EQ(settings.LineTypes, 1);
  EXPECT_EQ(settings.LineColors, 1);
  EXPECT_EQ(settings.AllKinds, 1);
  EXPECT_EQ(settings.BackColor, 0xFFFFFF);
}

TEST(CliOptions, HelpAndVersionComeBeforeAnythingElse) {
  EXPECT_EQ(ParseCommandLine({"--help"}).command, Command::Help);
  EXPECT_EQ(ParseCommandLine({"--version"}).command, Command::Version);
  // Help even where the rest of the line would be refused.
  const CommandLine renderHelp = ParseCommandLine({"render", "--help"});
  EXPECT_EQ(renderHelp.command, Command::Help);
  EXPECT_EQ(renderHelp.helpTopic, "render");
  const CommandLine config = ParseCommandLine({"config", "--width", "1024", "--ratio"});
  EXPECT_EQ(config.command, Command::Config);
  EXPECT_EQ(config.config.width, 1024);
  EXPECT_TRUE(config.config.ratio);
}

TEST(CliOptions, MistakesAreRefusedWithAMessageThatNamesThem) {
  struct Case {
    Args arguments;
    const char* message;  // a part of the message
  };
  const Case cases[] = {
      {{}, "no command"},
      {{"draw", "a.dxf"}, "unknown command 'draw'"},
      {{"render"}, "at least one DXF file"},
      {{"render", "a.dxf", "--colour"}, "no option --colour"},
      {{"render", "a.dxf", "-o"}, "-o needs a value"},
      {{"render", "a.dxf", "--size", "800"}, "WIDTHxHEIGHT"},
      {{"render", "a.dxf", "--size", "0x600"}, "from 1 to 9999"},
      {{"render", "a.dxf", "--size", "800x10000"}, "from 1 to 9999"},
      {{"render", "a.dxf", "--format", "jpg"}, "png, bmp or svg"},
      {{"render", "a.dxf", "--smooth=yes"}, "takes no value"},
      {{"render", "a.dxf", "-j", "0"}, "-j must be a whole number"},
      {{"render", "a.dxf", "-j", "2x"}, "-j must be a whole number"},
      {{"render", "a.dxf", "-q=1"}, "takes no value"},
      {{"render", "a.dxf", "b.dxf", "-o", "-"}, "give one input"},
      {{"render", "a.dxf", "-"}, "on its own"},
      {{"render", "a.dxf", "b.dxf", "--trace", "t"}, "one input"},
      {{"info"}, "exactly one"},
      {{"info", "a.dxf", "b.dxf"}, "exactly one"},
      {{"config", "--width", "0"}, "--width must be a whole number from 1 to 9999 (got '0')"},
      {{"config", "--height", "10000"}, "from 1 to 9999"},
      {{"config", "--width", "abc"}, "got 'abc'"},
      {{"config", "--ratio"}, "give --width or --height, not neither"},
      {{"config", "--ratio", "--width", "5", "--height", "5"}, "not both"},
      {{"config", "plan.dxf"}, "takes no file names"},
      {{"render", "a.dxf", "--align", "left"}, "--align takes origin, centre or fit (got 'left')"},
      {{"render", "a.dxf", "--align"}, "--align needs a value"},
      {{"config", "--colours=yes"}, "takes no value"},
  };
  for (const Case& c : cases) {
    std::string joined;
    for (const std::string& a : c.arguments) joined += a + " ";
    try {
      ParseCommandLine(c.arguments);
      ADD_FAILURE() << "accepted: " << joined;
    } catch (const UsageError& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << joined << "-> " << error.what();
    }
  }
}

TEST(PaperRatio, TheOtherSideIsNOverRootTwoRoundedToNearest) {
  const std::pair<int, int> cases[] = {{640, 453}, {1024, 724}, {518, 366},  {453, 320},
                                       {600, 424}, {1, 1},      {9999, 7070}};
  for (const auto& [side, other] : cases) EXPECT_EQ(PaperRatioSide(side), other) << side;
}

}  // namespace
}  // namespace karvex::tools
