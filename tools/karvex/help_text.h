#pragma once
// What --help shows: every command and option, each with an example.
#include <optional>
#include <string>

namespace karvex::tools {

// The help of one command ("render", "info", "config"), or of all of them
// for an empty topic. Empty for a topic that names no command.
std::optional<std::string> HelpText(const std::string& topic);

// The line that follows a usage error.
constexpr char kHelpHint[] = "Try 'karvex --help'.";

}  // namespace karvex::tools
