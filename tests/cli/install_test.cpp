// `cmake --install` run as a packager runs it, into a folder of its own:
// the converter, its bash completion and its manual page land where Debian
// looks for them, and the page holds every option of the help as typed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/converter_run.h"

namespace karvex::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> FilesUnder(const std::string& folder) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_directory()) files.push_back(fs::relative(entry.path(), folder).string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The options ("-o, --output OUTPUT") and examples of a help text, as typed.
std::vector<std::string> OptionsAndExamples(const std::string& help) {
  std::vector<std::string> found;
  std::size_t at = 0;
  while (at < help.size()) {
    const std::size_t end = help.find('\n', at);
    const std::string line = help.substr(at, end - at);
    at = end == std::string::npos ? help.size() : end + 1;
    const std::size_t indent = line.find_first_not_of(' ');
    if (indent == std::string::npos) continue;
    if (indent == 25) found.push_back(line.substr(25));
    if (indent >= 2 && indent < 23 && line[indent] == '-' && line.size() > 23) {
      const std::string term = line.substr(indent, 23 - indent);
      found.push_back(term.substr(0, term.find_last_not_of(' ') + 1));
    }
  }
  return found;
}

TEST(Install, PutsTheConverterItsCompletionAndItsManualPageWhereDebianLooks) {
  Scratch scratch;
  const std::string root = scratch.Path("root");
  const ShellRun install = RunShell("DESTDIR=" + ShellQuoted(root) + " " + ShellQuoted(KARVEX_CMAKE_COMMAND) +
                                    " --install " + ShellQuoted(KARVEX_BUILD_DIR) + " --prefix /usr");
  ASSERT_EQ(install.exitCode, 0) << install.output;
  const std::string usr = root + "/usr";
  EXPECT_EQ(FilesUnder(usr), (std::vector<std::string>{"bin/karvex", "share/bash-completion/completions/karvex",
                                                        "share/man/man1/karvex.1"}));

  EXPECT_EQ(RunShell(ShellQuoted(usr + "/bin/karvex") + " --version").output,
            std::string("karvex ") + KARVEX_VERSION_TEXT + "\n");
  EXPECT_EQ(ReadFile(usr + "/share/bash-completion/completions/karvex"),
            ReadFile(std::string(KARVEX_SOURCE_DIR) + "/tools/karvex/karvex.bash-completion"));

  if (RunShell("command -v groff").exitCode != 0) GTEST_SKIP() << "groff is not installed: the page is not read";
  const std::string page = ShellQuoted(usr + "/share/man/man1/karvex.1");
  EXPECT_EQ(RunShell("groff -man -Tutf8 -ww -z " + page).output, "");
  // Without emphasis, as plain characters: options must read as typed.
  const std::string text = RunShell("groff -man -Tutf8 -P-cbou " + page).output;
  const std::string help = scratch.Run({"--help"}).out;
  const std::vector<std::string> expected = OptionsAndExamples(help);
  EXPECT_GT(expected.size(), 20u);
  for (const std::string& typed : expected) EXPECT_NE(text.find(typed), std::string::npos) << typed;
  for (const char* heading :
       {"NAME", "SYNOPSIS", "DESCRIPTION", "COMMANDS", "ENVIRONMENT", "karvex render [OPTIONS]"}) {
    EXPECT_NE(text.find(heading), std::string::npos) << heading;
  }
}

}  // namespace
}  // namespace karvex::testing
