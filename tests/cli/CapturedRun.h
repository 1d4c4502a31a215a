#pragma once
// A subcommand run in-process with its output and error streams captured.

#include "Subcommand.h"

#include <functional>
#include <sstream>
#include <string>

namespace zaro::cli {

struct TRun {
    int Code;
    std::string Out;
    std::string Err;
};

inline TRun CapturedRun(const std::function<int(std::ostream& out, std::ostream& err)>& command) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = command(out, err);
    return {code, out.str(), err.str()};
}

// The subcommand with these arguments.
inline TRun CapturedRun(TSubcommandFunction command, const TArgs& args) {
    return CapturedRun(
        [&](std::ostream& out, std::ostream& err) { return command(args, out, err); });
}

} // namespace zaro::cli
