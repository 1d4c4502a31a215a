#pragma once

#include "Subcommand.h"

namespace zaro::cli {

// resave IN.zsm OUT.zsm: loads the model file and writes it again. A file the
// program wrote comes back byte for byte. Errors print on err and give 1.
int ResaveCommand(const TArgs& args, std::ostream& out, std::ostream& err);

} // namespace zaro::cli
