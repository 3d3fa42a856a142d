#include "karvex/cli_options.h"

#include <charconv>
#include <functional>

#include "base/ascii_case.h"

namespace karvex::tools {
namespace {

constexpr std::int32_t kFitMode = 3;
constexpr std::int32_t kWhiteBackground = 0xFFFFFF;

// One option a command takes: "--name", and "-c" when it has a short form.
struct OptionSpec {
  std::string name;
  char shortName = 0;
  bool takesValue = false;
  std::function<void(const std::string& value)> apply;
};

// Walks the arguments of one command: options (anywhere, "--name value",
// "--name=value", "-c value", "-cvalue", "-q") and operands; "--" ends the
// options and "-" alone is an operand.
std::vector<std::string> ParseArguments(const std::string& command, const std::vector<std::string>& arguments,
                                        std::size_t first, const std::vector<OptionSpec>& specs, bool& helpAsked) {
  std::vector<std::string> operands;
  bool optionsEnded = false;
  for (std::size_t i = first; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
      operands.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (argument == "--help" || argument == "-h") {
      helpAsked = true;
      continue;
    }
    const OptionSpec* spec = nullptr;
    std::optional<std::string> attached;
    std::string shown = argument;
    if (argument.rfind("--", 0) == 0) {
      const std::size_t equals = argument.find('=');
      const std::string name = argument.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
      if (equals != std::string::npos) attached = argument.substr(equals + 1);
      shown = "--" + name;
      for (const OptionSpec& candidate : specs) {
        if (candidate.name == name) spec = &candidate;
      }
    } else {
      for (const OptionSpec& candidate : specs) {
        if (candidate.shortName != 0 && candidate.shortName == argument[1]) spec = &candidate;
      }
      shown = argument.substr(0, 2);
      if (argument.size() > 2) attached = argument.substr(2);
    }
    if (spec == nullptr) throw UsageError("'" + command + "' has no option " + shown);
    if (!spec->takesValue) {
      if (attached) throw UsageError(shown + " takes no value");
      spec->apply({});
      continue;
    }
    if (!attached) {
      if (i + 1 >= arguments.size()) throw UsageError(shown + " needs a value");
      attached = arguments[++i];
    }
    spec->apply(*attached);
  }
  return operands;
}

std::vector<OptionSpec> ChoiceOptions(DrawingChoices& choices) {
  return {
      {"align", 0, true, [&](const std::string& v) { choices.alignment = ParseAlignment(v); }},
      {"line-types", 0, false, [&](const std::string&) { choices.lineTypes = true; }},
      {"no-line-types", 0, false, [&](const std::string&) { choices.lineTypes = false; }},
      {"colours", 0, false, [&](const std::string&) { choices.lineColours = true; }},
      {"no-colours", 0, false, [&](const std::string&) { choices.lineColours = false; }},
      {"all-kinds", 0, false, [&](const std::string&) { choices.allKinds = true; }},
      {"no-all-kinds", 0, false, [&](const std::string&) { choices.allKinds = false; }},
  };
}

std::vector<OptionSpec> SharedDrawingOptions(std::optional<PictureSize>& size, std::string& encoding, bool& quiet,
                                             DrawingChoices& choices) {
  std::vector<OptionSpec> specs = ChoiceOptions(choices);
  specs.insert(specs.end(), {
      // All of today's picture at once; an option after it changes that part.
      {"modern", 0, false,
       [&](const std::string&) {
         choices.alignment = kFitMode;
         choices.lineTypes = true;
         choices.lineColours = true;
         choices.allKinds = true;
         choices.background = kWhiteBackground;
       }},
      {"size", 0, true, [&](const std::string& v) { size = ParsePictureSize(v); }},
      {"encoding", 0, true,
       [&](const std::string& v) {
         if (v.empty()) throw UsageError("--encoding needs a name, e.g. --encoding utf-8");
         encoding = v;
       }},
      {"quiet", 'q', false, [&](const std::string&) { quiet = true; }},
  });
  return specs;
}

void ParseRender(const std::vector<std::string>& arguments, CommandLine& line) {
  RenderOptions& options = line.render;
  std::vector<OptionSpec> specs = SharedDrawingOptions(options.size, options.encoding, options.quiet, options.choices);
  specs.push_back({"output", 'o', true, [&](const std::string& v) {
                     if (v.empty()) throw UsageError("-o needs a file or folder name");
                     options.output = v;
                   }});
  specs.push_back({"format", 0, true, [&](const std::string& v) { options.format = ParsePictureFormat(v); }});
  specs.push_back(
      {"jobs", 'j', true, [&](const std::string& v) { options.jobs = ParseBoundedNumber(v, 1, 1024, "-j"); }});
  specs.push_back({"fail-on-blank", 0, false, [&](const std::string&) { options.failOnBlank = true; }});
  specs.push_back({"smooth", 0, false, [&](const std::string&) { options.smooth = true; }});
  specs.push_back({"trace", 0, true, [&](const std::string& v) {
                     if (v.empty()) throw UsageError("--trace needs a file name");
                     options.tracePath = v;
                   }});
  bool helpAsked = false;
  options.inputs = ParseArguments("render", arguments, 1, specs, helpAsked);
  if (helpAsked) {
    line.command = Command::Help;
    line.helpTopic = "render";
    return;
  }
  if (options.inputs.empty()) throw UsageError("'render' needs at least one DXF file");
  if (options.inputs.size() > 1) {
    for (const std::string& input : options.inputs) {
      if (input == "-") throw UsageError("'-' (standard input) can only be drawn on its own");
    }
    if (options.output == "-") throw UsageError("-o - (standard output) takes one picture; give one input");
    if (options.tracePath) throw UsageError("--trace follows one drawing; give one input");
  }
}

void ParseInfo(const std::vector<std::string>& arguments, CommandLine& line) {
  InfoOptions& options = line.info;
  const std::vector<OptionSpec> specs =
      SharedDrawingOptions(options.size, options.encoding, options.quiet, options.choices);
  bool helpAsked = false;
  const std::vector<std::string> inputs = ParseArguments("info", arguments, 1, specs, helpAsked);
  if (helpAsked) {
    line.command = Command::Help;
    line.helpTopic = "info";
    return;
  }
  if (inputs.size() != 1) throw UsageError("'info' takes exactly one DXF file");
  options.input = inputs[0];
}

void ParseConfig(const std::vector<std::string>& arguments, CommandLine& line) {
  ConfigOptions& options = line.config;
  std::vector<OptionSpec> specs = ChoiceOptions(options.choices);
  specs.insert(specs.end(), {
      {"width", 0, true,
       [&](const std::string& v) { options.width = ParseBoundedNumber(v, kSmallestSide, kLargestSide, "--width"); }},
      {"height", 0, true,
       [&](const std::string& v) { options.height = ParseBoundedNumber(v, kSmallestSide, kLargestSide, "--height"); }},
      {"ratio", 0, false, [&](const std::string&) { options.ratio = true; }},
      {"reset", 0, false, [&](const std::string&) { options.reset = true; }},
  });
  bool helpAsked = false;
  const std::vector<std::string> operands = ParseArguments("config", arguments, 1, specs, helpAsked);
  if (helpAsked) {
    line.command = Command::Help;
    line.helpTopic = "config";
    return;
  }
  if (!operands.empty()) throw UsageError("'config' takes no file names (got '" + operands[0] + "')");
  if (options.ratio && options.width.has_value() == options.height.has_value()) {
    throw UsageError("--ratio sets one side from the other: give --width or --height, not " +
                     std::string(options.width ? "both" : "neither"));
  }
}

}  // namespace

std::int32_t ParseBoundedNumber(const std::string& text, std::int32_t low, std::int32_t high, const std::string& what) {
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  const bool whole = !text.empty() && error == std::errc() && stop == end;
  if (!whole || value < low || value > high) {
    throw UsageError(what + " must be a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                     " (got '" + text + "')");
  }
  return static_cast<std::int32_t>(value);
}

PictureSize ParsePictureSize(const std::string& text) {
  const std::size_t cross = text.find_first_of("xX");
  if (cross == std::string::npos) {
    throw UsageError("--size takes WIDTHxHEIGHT in pixels, e.g. --size 1024x724 (got '" + text + "')");
  }
  PictureSize size;
  size.width = ParseBoundedNumber(text.substr(0, cross), kSmallestSide, kLargestSide, "the width of --size");
  size.height = ParseBoundedNumber(text.substr(cross + 1), kSmallestSide, kLargestSide, "the height of --size");
  return size;
}

std::int32_t ParseAlignment(const std::string& text) {
  if (text == "origin") return 1;
  if (text == "centre" || text == "center") return 2;
  if (text == "fit") return 3;
  throw UsageError("--align takes origin, centre or fit (got '" + text + "')");
}

const char* AlignmentName(std::int32_t mode) {
  if (mode == 2) return "centre";
  if (mode == 3) return "fit";
  return "origin";
}

namespace {

struct FormatNames {
  PictureFormat format;
  const char* name;
  const char* extension;
};

constexpr FormatNames kFormats[] = {
    {PictureFormat::Png, "PNG", ".png"},
    {PictureFormat::Bmp, "BMP", ".bmp"},
    {PictureFormat::Svg, "SVG", ".svg"},
};

const FormatNames& NamesOf(PictureFormat format) {
  for (const FormatNames& names : kFormats) {
    if (names.format == format) return names;
  }
  return kFormats[0];
}

}  // namespace

PictureFormat ParsePictureFormat(const std::string& text) {
  const std::optional<PictureFormat> format = FormatOfExtension("." + text);
  if (!format) throw UsageError("--format takes png, bmp or svg (got '" + text + "')");
  return *format;
}

std::optional<PictureFormat> FormatOfExtension(const std::string& extension) {
  const std::string lower = AsciiLower(extension);
  for (const FormatNames& names : kFormats) {
    if (lower == names.extension) return names.format;
  }
  return std::nullopt;
}

const char* FormatName(PictureFormat format) { return NamesOf(format).name; }
const char* FormatExtension(PictureFormat format) { return NamesOf(format).extension; }

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  if (arguments.empty()) throw UsageError("no command given");
  const std::string& first = arguments[0];
  if (first == "--help" || first == "-h" || first == "help") {
    line.command = Command::Help;
    if (arguments.size() > 1) line.helpTopic = arguments[1];
    return line;
  }
  if (first == "--version" || first == "-V") {
    line.command = Command::Version;
    return line;
  }
  if (first == "render") {
    line.command = Command::Render;
    ParseRender(arguments, line);
  } else if (first == "info") {
    line.command = Command::Info;
    ParseInfo(arguments, line);
  } else if (first == "config") {
    line.command = Command::Config;
    ParseConfig(arguments, line);
  } else {
    throw UsageError("unknown command '" + first + "' (render, info or config)");
  }
  return line;
}

}  // namespace karvex::tools
