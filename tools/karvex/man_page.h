#pragma once
// The manual page karvex.1, made from the help text at build time so that
// the two never disagree. The help text's layout is what the page is made
// from:
//   - the overview's first paragraph (its first clause names the program),
//     then the "usage:" lines;
//   - "karvex COMMAND ..." at the line start: a command, whose lines
//     indented by two are its description;
//   - "Heading:" at the line start: a section of its own;
//   - an option or variable ("-o, --output OUTPUT", "KARVEX_FONT") whose
//     description starts in column 24, continued in that column, with
//     examples two columns further in.
#include <string>
#include <string_view>

namespace karvex::tools {

// The page in the man macros.
std::string ManPage(std::string_view help, std::string_view version);

}  // namespace karvex::tools
