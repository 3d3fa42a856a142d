#pragma once
// The bytes of one drawing: a file read whole, or all of standard input.
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "karvex/file_mapping.h"

namespace karvex::tools {

// A drawing that cannot be had; the message names the cause ("no such
// file", "is a directory", ...), not the file.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct LoadedInput {
  std::string shownName;  // how messages name it
  bool fromStandardInput = false;
  // A regular file is mapped; standard input, pipes and files the system
  // will not map are read into readBytes.
  std::unique_ptr<FileMapping> mapping;
  std::string readBytes;

  std::string_view Bytes() const { return mapping ? mapping->Bytes() : std::string_view(readBytes); }
};

// The name messages use for "-".
constexpr char kStandardInputName[] = "standard input";

// "-" while standard input is a terminal: reading waits for the user to
// type or paste a drawing, so the converter first says so.
bool ReadsFromTerminal(const std::string& path);
constexpr char kTerminalInputNote[] =
    "reading the drawing from standard input, a terminal: end it with Ctrl-D (Ctrl-C stops)";

// Reads path whole ("-": standard input). Texts of 2 GiB or more are
// refused, as the plug-in refuses them.
LoadedInput LoadInput(const std::string& path);

}  // namespace karvex::tools
