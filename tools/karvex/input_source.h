#pragma once
// The bytes of one drawing: a file read whole, or all of standard input.
#include <stdexcept>
#include <string>

namespace karvex::tools {

// A drawing that cannot be had; the message names the cause ("no such
// file", "is a directory", ...), not the file.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct LoadedInput {
  std::string shownName;  // how messages name it
  std::string bytes;
  bool fromStandardInput = false;
};

// The name messages use for "-".
constexpr char kStandardInputName[] = "standard input";

// Reads path whole ("-": standard input). Texts of 2 GiB or more are
// refused, as the plug-in refuses them.
LoadedInput LoadInput(const std::string& path);

}  // namespace karvex::tools
