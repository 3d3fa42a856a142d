#pragma once
// `karvex info`: reads one drawing as render does and prints what it found,
// without writing a picture. Returns the exit status (1 when the drawing
// cannot be read or drawn).
#include "karvex/cli_options.h"

namespace karvex::tools {

int RunInfo(const InfoOptions& options);

}  // namespace karvex::tools
