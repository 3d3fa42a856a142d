#pragma once
// `karvex config`: shows the settings file and, given options, changes it.
// The only command that writes it. Returns the exit status.
#include <cstdint>

#include "karvex/cli_options.h"

namespace karvex::tools {

// The settings dialog's paper-ratio rule: the other side is N / sqrt 2,
// rounded to nearest (640 -> 453, 1024 -> 724).
std::int32_t PaperRatioSide(std::int32_t side);

int RunConfig(const ConfigOptions& options);

}  // namespace karvex::tools
