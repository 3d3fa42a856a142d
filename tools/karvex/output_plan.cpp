#include "karvex/output_plan.h"

#include <filesystem>
#include <set>

namespace karvex::tools {
namespace {

namespace fs = std::filesystem;

std::string FileNameFor(const std::string& input, PictureFormat format) {
  return fs::path(input).filename().replace_extension(FormatExtension(format)).string();
}

OutputTarget StandardOutput(const RenderOptions& options, bool stdoutIsTerminal) {
  if (stdoutIsTerminal) {
    throw UsageError("standard output is a terminal: give -o FILE, or send standard output to a file or a pipe");
  }
  return {"", true, options.format.value_or(PictureFormat::Png)};
}

// -o naming a file: its extension gives the format, which must not clash
// with --format. Another extension would name a format that is not written,
// unless --format says which one is meant.
OutputTarget NamedFile(const RenderOptions& options, const std::string& path) {
  const std::optional<PictureFormat> named = FormatOfName(path);
  const std::string extension = fs::path(path).extension().string();
  if (!named && !extension.empty() && !options.format) {
    throw UsageError("-o " + path + ": karvex cannot write " + extension +
                     " pictures, only .png, .bmp and .svg (--format png|bmp|svg writes one under another extension)");
  }
  if (named && options.format && *named != *options.format) {
    throw UsageError("-o " + path + " names a " + FormatName(*named) + " file but --format asks for " +
                     FormatName(*options.format));
  }
  return {path, false, named.value_or(options.format.value_or(PictureFormat::Png))};
}

OutputTarget Beside(const RenderOptions& options, const std::string& input) {
  const PictureFormat format = options.format.value_or(PictureFormat::Png);
  return {fs::path(input).replace_extension(FormatExtension(format)).string(), false, format};
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return fs::equivalent(a, b, error) && !error;
}

}  // namespace

std::vector<OutputTarget> PlanOutputs(const RenderOptions& options, bool stdoutIsTerminal) {
  std::vector<OutputTarget> targets;
  const bool single = options.inputs.size() == 1;
  if (single) {
    const std::string& input = options.inputs[0];
    std::error_code error;
    if (options.output == "-" || (!options.output && input == "-")) {
      targets.push_back(StandardOutput(options, stdoutIsTerminal));
    } else if (options.output && fs::is_directory(*options.output, error)) {
      const PictureFormat format = options.format.value_or(PictureFormat::Png);
      const std::string name =
          input == "-" ? std::string("drawing") + FormatExtension(format) : FileNameFor(input, format);
      targets.push_back({(fs::path(*options.output) / name).string(), false, format});
    } else if (options.output) {
      targets.push_back(NamedFile(options, *options.output));
    } else {
      targets.push_back(Beside(options, input));
    }
  } else {
    const PictureFormat format = options.format.value_or(PictureFormat::Png);
    if (options.output) {
      if (FormatOfName(*options.output)) {
        throw UsageError("with several inputs -o names a folder, not a file (" + *options.output + ")");
      }
    }
    for (const std::string& input : options.inputs) {
      if (options.output) {
        targets.push_back({(fs::path(*options.output) / FileNameFor(input, format)).string(), false, format});
      } else {
        targets.push_back(Beside(options, input));
      }
    }
  }

  // Smooth edges are the viewer's business in an SVG.
  if (options.smooth && targets[0].format == PictureFormat::Svg) {
    throw UsageError("--smooth is for PNG and BMP pictures: an SVG is drawn smooth by whatever shows it");
  }

  std::set<std::string> seen;
  for (std::size_t i = 0; i < targets.size(); ++i) {
    if (targets[i].standardOutput) continue;
    const std::string normal = fs::path(targets[i].path).lexically_normal().string();
    if (!seen.insert(normal).second) {
      throw UsageError("two inputs would be written to the same picture " + targets[i].path);
    }
    if (options.inputs[i] != "-" && (SameFile(options.inputs[i], targets[i].path) ||
                                     fs::path(options.inputs[i]).lexically_normal().string() == normal)) {
      throw UsageError(options.inputs[i] + " would be overwritten by its own picture");
    }
  }
  // The folder of a batch is made only once the plan holds.
  if (!single && options.output) {
    std::error_code error;
    fs::create_directories(*options.output, error);
    if (!fs::is_directory(*options.output)) {
      throw UsageError("-o " + *options.output + " cannot be made a folder" +
                       (error ? ": " + error.message() : std::string()));
    }
  }
  return targets;
}

}  // namespace karvex::tools
