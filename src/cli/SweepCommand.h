#pragma once

#include "Subcommand.h"

namespace zaro::cli {

// sweep FILE.zsm --ac FROM TO (--per-decade N | --step S)
// sweep FILE.zsm --dc VAR FROM TO STEP
// Loads the model and sweeps the frequency or the variable VAR of the
// variables pane; prints CSV on out: a header row, then the swept value and
// per meter magnitude and phase in degrees (AC) or the value (DC). Bad ranges
// and failures go to err. Exit 0 when every point was computed, 1 otherwise.
int SweepCommand(const TArgs& args, std::ostream& out, std::ostream& err);

} // namespace zaro::cli
