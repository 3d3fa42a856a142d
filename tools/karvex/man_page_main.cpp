// karvex_man_page FILE: writes the manual page karvex.1, made from the
// help text, to FILE. Run by the build.
#include <cstdio>
#include <fstream>

#include "karvex/help_text.h"
#include "karvex/man_page.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: karvex_man_page FILE\n");
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << karvex::tools::ManPage(*karvex::tools::HelpText(""), KARVEX_VERSION_TEXT);
  out.close();
  if (!out) {
    std::fprintf(stderr, "karvex_man_page: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
