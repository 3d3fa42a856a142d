#pragma once
// The converter's command line: which command, and its options, checked
// before any file is touched. A mistake raises UsageError, which the
// converter reports with exit status 2.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace karvex::tools {

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class PictureFormat { Png, Bmp, Svg };

// "PNG", "BMP", "SVG".
const char* FormatName(PictureFormat format);
// ".png", ".bmp", ".svg".
const char* FormatExtension(PictureFormat format);
// The format an extension (".png", any case) names; none for another.
std::optional<PictureFormat> FormatOfExtension(const std::string& extension);

struct PictureSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// Sizes the settings dialog's four-digit fields allow.
constexpr std::int32_t kSmallestSide = 1;
constexpr std::int32_t kLargestSide = 9999;

// What a run asks of its pictures beyond the settings file: the alignment
// mode and the dialog's option boxes. render and info take them for the run
// only; config writes them into the file.
struct DrawingChoices {
  std::optional<std::int32_t> alignment;  // --align: the alignment mode, 1 to 3
  std::optional<bool> lineTypes;          // --line-types, --no-line-types
  std::optional<bool> lineColours;        // --colours, --no-colours
  std::optional<bool> allKinds;           // --all-kinds, --no-all-kinds
  // --modern: the background colour for the run (render and info only).
  std::optional<std::int32_t> background;
  bool Any() const { return alignment || lineTypes || lineColours || allKinds || background; }
};

struct RenderOptions {
  std::vector<std::string> inputs;       // "-" is standard input
  std::optional<std::string> output;     // -o: a file, "-", or a folder
  std::optional<PictureFormat> format;   // --format
  std::optional<PictureSize> size;       // --size
  std::int32_t jobs = 0;                 // -j; 0: one per processor
  bool quiet = false;                    // --quiet
  std::optional<std::string> tracePath;  // --trace
  std::string encoding = "auto";         // --encoding
  bool failOnBlank = false;              // --fail-on-blank
  DrawingChoices choices;
  bool smooth = false;                   // --smooth
};

struct InfoOptions {
  std::string input;
  std::optional<PictureSize> size;
  std::string encoding = "auto";
  bool quiet = false;
  DrawingChoices choices;
};

struct ConfigOptions {
  std::optional<std::int32_t> width;
  std::optional<std::int32_t> height;
  bool ratio = false;
  bool reset = false;
  DrawingChoices choices;
  bool Edits() const { return width || height || reset || choices.Any(); }
};

enum class Command { Render, Info, Config, Help, Version };

struct CommandLine {
  Command command = Command::Help;
  // For Help: the command whose help was asked for (empty: all).
  std::string helpTopic;
  RenderOptions render;
  InfoOptions info;
  ConfigOptions config;
};

// The arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// "800x600" (or "800X600"); each side 1..9999.
PictureSize ParsePictureSize(const std::string& text);
// "png", "bmp" or "svg", any case.
PictureFormat ParsePictureFormat(const std::string& text);
// "origin" 1 (the drawing's rectangle at the lower left), "centre" (or
// "center") 2, "fit" 3.
std::int32_t ParseAlignment(const std::string& text);
// The word ParseAlignment takes for a mode (any other mode draws as 1).
const char* AlignmentName(std::int32_t mode);
// A whole decimal number in [low, high]; what names it in messages.
std::int32_t ParseBoundedNumber(const std::string& text, std::int32_t low, std::int32_t high, const std::string& what);

}  // namespace karvex::tools
