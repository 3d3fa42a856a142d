#pragma once
// Where each drawing's picture goes, decided before anything is drawn: a
// mistake here is a usage error (exit status 2) and nothing is written.
#include <vector>

#include "karvex/cli_options.h"
#include "karvex/picture_writer.h"

namespace karvex::tools {

// One target per input, in input order. stdoutIsTerminal: a picture is not
// sent to a terminal. May create the -o folder of a batch. Raises
// UsageError.
std::vector<OutputTarget> PlanOutputs(const RenderOptions& options, bool stdoutIsTerminal);

}  // namespace karvex::tools
