// zarosim-cli: the simulator's core driven from the command line. A subcommand is a
// source file with its function and one row in this table.

#include "AnalyseCommand.h"
#include "EvalCommand.h"
#include "ResaveCommand.h"
#include "Subcommand.h"
#include "SweepCommand.h"
#include "VersionCommand.h"

#include <array>
#include <iostream>

namespace {

using namespace zaro::cli;

constexpr std::array<TSubcommand, 5> Subcommands{{
    {"eval", "EXPR [--var NAME=VALUE]...", "prints the value of an expression", EvalCommand},
    {"resave", "IN.zsm OUT.zsm", "loads a model file and saves it again", ResaveCommand},
    {"analyse",
     "FILE.zsm --kind dc-linear|ac-linear|dc|ac|dc-keep|ac-keep [--freq TEXT] "
     "[--solver reference|sparse]",
     "runs an analysis and prints every device's results", AnalyseCommand},
    {"sweep", "FILE.zsm --ac FROM TO (--per-decade N | --step S) | --dc VAR FROM TO STEP",
     "sweeps the frequency or a variable and prints every meter's readings as CSV", SweepCommand},
    {"version", "[FILE]", "prints the version information of FILE or of this program",
     VersionCommand},
}};

} // namespace

int main(int argc, char** argv) {
    TArgs args(argv + 1, argv + argc);
    return RunSubcommand(Subcommands, args, std::cout, std::cerr);
}
