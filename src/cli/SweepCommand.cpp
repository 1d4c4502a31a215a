#include "SweepCommand.h"

#include "CircuitDocument.h"
#include "ConsolePlatform.h"
#include "ConsoleProgressView.h"
#include "ModelFile.h"
#include "Sweep.h"
#include "SweepCsv.h"
#include "ZaroMathImport.h"

#include <optional>

namespace zaro::cli {

namespace {

constexpr const char* Usage =
    "sweep: usage: zarosim-cli sweep FILE.zsm --ac FROM TO (--per-decade N | --step S)\n"
    "       zarosim-cli sweep FILE.zsm --dc VAR FROM TO STEP\n";

// The texts as given; they are read as numbers only once the whole line fits.
struct TOptions {
    std::string FileName;
    bool IsAC = true;
    std::string Variable;
    std::string From, To, Step;
    TSweepSpacing Spacing = TSweepSpacing::LinearStep;
};

// Takes count values after args[i]; false when there are fewer.
bool TakeValues(const TArgs& args, std::size_t& i, std::initializer_list<std::string*> values) {
    if (i + values.size() >= args.size()) {
        return false;
    }
    for (std::string* value : values) {
        *value = args[++i];
    }
    return true;
}

bool TakeOption(const TArgs& args, std::size_t& i, TOptions& options, bool& hasKind,
                bool& hasSpacing) {
    const std::string& arg = args[i];
    if (arg == "--ac") {
        hasKind = true;
        options.IsAC = true;
        return TakeValues(args, i, {&options.From, &options.To});
    }
    if (arg == "--dc") {
        hasKind = hasSpacing = true;
        options.IsAC = false;
        return TakeValues(args, i, {&options.Variable, &options.From, &options.To, &options.Step});
    }
    if (arg == "--per-decade" || arg == "--step") {
        hasSpacing = true;
        options.Spacing = arg == "--step" ? TSweepSpacing::LinearStep : TSweepSpacing::PerDecade;
        return TakeValues(args, i, {&options.Step});
    }
    if (arg.rfind("--", 0) != 0 && options.FileName.empty()) {
        options.FileName = arg;
        return true;
    }
    return false;
}

std::optional<TOptions> ParseOptions(const TArgs& args, std::ostream& err) {
    TOptions options;
    bool hasKind = false;
    bool hasSpacing = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!TakeOption(args, i, options, hasKind, hasSpacing)) {
            err << Usage;
            return std::nullopt;
        }
    }
    if (options.FileName.empty() || !hasKind || !hasSpacing) {
        err << Usage;
        return std::nullopt;
    }
    return options;
}

TSweepRange ReadRange(const TOptions& options) {
    return {ReadSweepNumber(options.From), ReadSweepNumber(options.To),
            options.IsAC ? options.Spacing : TSweepSpacing::LinearStep,
            ReadSweepNumber(options.Step)};
}

TSweepResult RunSweep(TCircuitDocument& document, const TOptions& options) {
    const TSweepRange range = ReadRange(options);
    range.Check();
    TSweepRunner runner(document.Canvas(), document.Platform(), document.Progress(),
                        *document.TP1().Variables(), document.SolverKind());
    return options.IsAC ? runner.RunAC(range) : runner.RunDC(options.Variable, range);
}

} // namespace

int SweepCommand(const TArgs& args, std::ostream& out, std::ostream& err) {
    const std::optional<TOptions> options = ParseOptions(args, err);
    if (!options) {
        return 1;
    }
    LoadZaroMath();
    if (!ZaroMathLoaded()) {
        err << "sweep: the ZaroMath library " << ZaroMathFileName() << " cannot be loaded\n";
        return 1;
    }
    TConsolePlatform platform(err);
    TConsoleProgressView progressView;
    TCircuitDocument document(platform, progressView);
    try {
        LoadModel(document, options->FileName);
        const TSweepResult result = RunSweep(document, *options);
        if (result.Outcome == TSweepOutcome::NotRun) {
            return 1;
        }
        WriteSweepCsv(result, out);
        return result.Outcome == TSweepOutcome::Completed ? 0 : 1;
    } catch (const ESweepRange& e) {
        err << "sweep: " << e.what() << '\n';
    } catch (const std::exception& e) {
        err << e.what() << '\n';
    }
    return 1;
}

} // namespace zaro::cli
