#pragma once

#include "Subcommand.h"

namespace zaro::cli {

// version [FILE]: prints the version information of FILE (default: this
// program) as one block per translation, headed by its language and code
// page, with one "Key: text" line per text. A file without version
// information prints the error on err and gives 1.
int VersionCommand(const TArgs& args, std::ostream& out, std::ostream& err);

} // namespace zaro::cli
