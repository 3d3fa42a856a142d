// karvex: the native converter. Draws DXF files with exactly the plug-in's
// reading and drawing rules and writes PNG or BMP; tells what a drawing
// holds; shows and edits the settings file.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "karvex/cli_options.h"
#include "karvex/config_command.h"
#include "karvex/heap_tuning.h"
#include "karvex/help_text.h"
#include "karvex/info_command.h"
#include "karvex/render_command.h"

namespace {

constexpr int kExitUsage = 2;

int UsageFailure(const std::string& message) {
  std::fprintf(stderr, "karvex: %s\n%s\n", message.c_str(), karvex::tools::kHelpHint);
  return kExitUsage;
}

int Run(const std::vector<std::string>& arguments) {
  using namespace karvex::tools;
  const CommandLine line = ParseCommandLine(arguments);
  switch (line.command) {
    case Command::Help: {
      const std::optional<std::string> help = HelpText(line.helpTopic);
      if (!help) return UsageFailure("no help on '" + line.helpTopic + "' (render, info or config)");
      std::fputs(help->c_str(), stdout);
      return 0;
    }
    case Command::Version:
      std::printf("karvex %s\n", KARVEX_VERSION_TEXT);
      return 0;
    case Command::Render:
      return RunRender(line.render);
    case Command::Info:
      return RunInfo(line.info);
    case Command::Config:
      return RunConfig(line.config);
  }
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  karvex::tools::KeepLargeBlocksOnTheHeap();
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  try {
    return Run(arguments);
  } catch (const karvex::tools::UsageError& error) {
    return UsageFailure(error.what());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "karvex: %s\n", error.what());
    return 1;
  }
}
