#pragma once
// The command-line tool's subcommands: each is a function from its arguments (without
// the program and subcommand names) and two streams to an exit code, so that tests
// can run it in-process.

#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zaro::cli {

using TArgs = std::vector<std::string>;
using TSubcommandFunction = int (*)(const TArgs& args, std::ostream& out, std::ostream& err);

struct TSubcommand {
    std::string_view Name;
    std::string_view Arguments; // as shown in the usage text
    std::string_view Summary;
    TSubcommandFunction Run;
};

// Prints the usage text listing every subcommand of the table.
void PrintUsage(std::span<const TSubcommand> table, std::ostream& out);

// Runs the subcommand named by args[0] with the remaining arguments. No arguments,
// "help", "-h" or "--help" print the usage (exit 0); an unknown name prints an error and
// the usage on err (exit 1).
int RunSubcommand(std::span<const TSubcommand> table, const TArgs& args, std::ostream& out,
                  std::ostream& err);

} // namespace zaro::cli
