#pragma once
// A subcommand run in-process: its exit code and what it wrote on each stream.

#include "Subcommand.h"

#include <sstream>
#include <string>

namespace zaro::cli {

struct TSubcommandRun {
    int Code;
    std::string Out;
    std::string Err;
};

inline TSubcommandRun RunInProcess(TSubcommandFunction command, const TArgs& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = command(args, out, err);
    return {code, out.str(), err.str()};
}

} // namespace zaro::cli
