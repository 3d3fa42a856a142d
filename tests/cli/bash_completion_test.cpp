// The bash completion, run by bash as a Tab would run it: with Debian's
// bash-completion helpers and, where that package is missing, without them.
#include <gtest/gtest.h>

#include <string>

#include "cli/converter_run.h"

namespace karvex::testing {
namespace {

// The words offered for `line` (completed at its end), one a line, sorted;
// with whatever the completion printed besides. helpers: shell text run
// after the completion is sourced.
std::string Offered(const Scratch& scratch, const std::string& line, const std::string& helpers) {
  const std::string script =
      "cd " + ShellQuoted(scratch.Folder()) + " || exit 1\n" +
      "source " + ShellQuoted(std::string(KARVEX_SOURCE_DIR) + "/tools/karvex/karvex.bash-completion") + "\n" +
      helpers + "\n" +
      "COMP_LINE=" + ShellQuoted(line) + "\n" +
      "read -ra COMP_WORDS <<< \"$COMP_LINE\"\n"
      "[[ $COMP_LINE == *' ' ]] && COMP_WORDS+=('')\n"
      "COMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n"
      "COMP_POINT=${#COMP_LINE}\n"
      "_karvex karvex \"${COMP_WORDS[COMP_CWORD]}\" \"${COMP_WORDS[COMP_CWORD - 1]}\"\n"
      "printf '%s\\n' \"${COMPREPLY[@]}\" | LC_ALL=C sort\n";
  return RunShell("bash --norc --noprofile -c " + ShellQuoted(script)).output;
}

// Enough of bash-completion's two helpers to see that they are used.
constexpr char kPackageHelpers[] =
    "_init_completion() { words=(\"${COMP_WORDS[@]}\"); cword=$COMP_CWORD; cur=${words[cword]}; "
    "prev=${words[cword - 1]}; }\n"
    "_filedir() { COMPREPLY=(\"_filedir $*\"); }";

TEST(BashCompletion, CompletesWithAndWithoutTheBashCompletionPackage) {
  struct Case {
    const char* line;
    const char* withoutPackage;
    const char* withPackage;  // null: the same
  };
  const Case cases[] = {
      {"karvex ", "--help\n--version\nconfig\nhelp\ninfo\nrender\n", nullptr},
      {"karvex re", "render\n", nullptr},
      {"karvex help ", "config\ninfo\nrender\n", nullptr},
      {"karvex render --f", "--fail-on-blank\n--format\n", nullptr},
      {"karvex render plan.dxf --format ", "bmp\npng\nsvg\n", nullptr},
      {"karvex config --",
       "--align\n--all-kinds\n--colours\n--height\n--help\n--line-types\n--no-all-kinds\n--no-colours\n"
       "--no-line-types\n--ratio\n--reset\n--width\n",
       nullptr},
      {"karvex render plan.dxf --mo", "--modern\n", nullptr},
      {"karvex info plan.dxf --a", "--align\n--all-kinds\n", nullptr},
      {"karvex render plan.dxf --align ", "centre\nfit\norigin\n", nullptr},
      {"karvex render --sm", "--smooth\n", nullptr},
      {"karvex render p", "pictures\nplan.DXF\nplan.dxf\n", "_filedir @(dxf|DXF)\n"},
      {"karvex info ", "notes.txt.d\npictures\nplan.DXF\nplan.dxf\n", "_filedir @(dxf|DXF)\n"},
      {"karvex render plan.dxf --trace ", "notes.txt.d\npictures\nt.jsonl\n", "_filedir jsonl\n"},
      {"karvex render plan.dxf -o pl", "plan.DXF\nplan.dxf\nplan.png\n", "_filedir \n"},
  };
  Scratch scratch;
  for (const char* name : {"plan.dxf", "plan.DXF", "plan.png", "t.jsonl", "notes.txt.d/keep", "pictures/a.png"}) {
    scratch.Write(name, "");
  }
  for (const Case& c : cases) {
    EXPECT_EQ(Offered(scratch, c.line, ""), c.withoutPackage) << c.line;
    EXPECT_EQ(Offered(scratch, c.line, kPackageHelpers), c.withPackage ? c.withPackage : c.withoutPackage) << c.line;
  }
}

}  // namespace
}  // namespace karvex::testing
