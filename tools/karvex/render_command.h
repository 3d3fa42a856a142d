#pragma once
// `karvex render`: draws each input as GetPicture would and writes its
// picture; returns the exit status (0 all drawn, 1 any failed, 130
// interrupted). Raises UsageError before anything is drawn.
#include "karvex/cli_options.h"

namespace karvex::tools {

int RunRender(const RenderOptions& options);

}  // namespace karvex::tools
