#pragma once

#include "Subcommand.h"

namespace zaro::cli {

// eval EXPR [--var NAME=VALUE]...: prints the answer text of the expression, evaluated
// with the given variable lines. Any error prints its message on err and gives 1.
int EvalCommand(const TArgs& args, std::ostream& out, std::ostream& err);

} // namespace zaro::cli
