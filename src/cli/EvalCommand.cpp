#include "EvalCommand.h"

#include "TinyParseEngine.h"

#include <optional>

namespace zaro::cli {

namespace {

constexpr std::string_view VarOption = "--var";

struct TEvalRequest {
    std::optional<std::string> Expression;
    std::vector<std::string> Variables;
};

void AddVariable(TEvalRequest& request, const std::string& line) {
    if (line.find('=') == std::string::npos) {
        throw EZaroError("eval: --var needs NAME=VALUE, got '" + line + "'");
    }
    request.Variables.push_back(line);
}

void SetExpression(TEvalRequest& request, const std::string& text) {
    if (request.Expression) {
        throw EZaroError("eval: more than one expression (quote the expression)");
    }
    request.Expression = text;
}

// Options are "--var NAME=VALUE" and "--var=NAME=VALUE"; after "--" every argument is
// the expression, so one that starts with "--" can still be given.
TEvalRequest ParseArgs(const TArgs& args) {
    TEvalRequest request;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.rfind("--", 0) != 0) {
            SetExpression(request, arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == VarOption) {
            if (++i == args.size()) {
                throw EZaroError("eval: --var needs NAME=VALUE");
            }
            AddVariable(request, args[i]);
        } else if (arg.rfind("--var=", 0) == 0) {
            AddVariable(request, arg.substr(VarOption.size() + 1));
        } else {
            throw EZaroError("eval: unknown option '" + arg + "'");
        }
    }
    if (!request.Expression) {
        throw EZaroError("eval: missing expression; usage: zarosim-cli eval EXPR [--var "
                         "NAME=VALUE]...");
    }
    return request;
}

} // namespace

int EvalCommand(const TArgs& args, std::ostream& out, std::ostream& err) {
    try {
        TEvalRequest request = ParseArgs(args);
        TTinyParser parser;
        parser.SetVariables(&request.Variables);
        parser.SetExpression(*request.Expression);
        out << parser.Answer() << '\n';
        return 0;
    } catch (const std::exception& e) {
        err << e.what() << '\n';
        return 1;
    }
}

} // namespace zaro::cli
