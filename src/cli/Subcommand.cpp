#include "Subcommand.h"

#include <algorithm>

namespace zaro::cli {

void PrintUsage(std::span<const TSubcommand> table, std::ostream& out) {
    out << "usage: zarosim-cli COMMAND [ARGS]\n\ncommands:\n";
    for (const TSubcommand& command : table) {
        out << "  " << command.Name << ' ' << command.Arguments << "\n      " << command.Summary
            << '\n';
    }
}

int RunSubcommand(std::span<const TSubcommand> table, const TArgs& args, std::ostream& out,
                  std::ostream& err) {
    if (args.empty() || args[0] == "help" || args[0] == "-h" || args[0] == "--help") {
        PrintUsage(table, out);
        return 0;
    }
    auto command = std::find_if(table.begin(), table.end(),
                                [&](const TSubcommand& c) { return c.Name == args[0]; });
    if (command == table.end()) {
        err << "zarosim-cli: unknown command '" << args[0] << "'\n";
        PrintUsage(table, err);
        return 1;
    }
    return command->Run(TArgs(args.begin() + 1, args.end()), out, err);
}

} // namespace zaro::cli
