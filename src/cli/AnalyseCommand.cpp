#include "AnalyseCommand.h"

#include "CircuitDocument.h"
#include "ConsolePlatform.h"
#include "ConsoleProgressView.h"
#include "DeviceProperty.h"
#include "DiagnosisText.h"
#include "Diodes.h"
#include "Meters.h"
#include "ModelFile.h"
#include "ZaroMathImport.h"

#include <array>
#include <optional>

namespace zaro::cli {

namespace {

constexpr const char* Usage = "analyse: usage: zarosim-cli analyse FILE.zsm --kind "
                              "dc-linear|ac-linear|dc|ac|dc-keep|ac-keep [--freq TEXT] "
                              "[--solver reference|sparse]\n";

using TCommand = void (TCircuitDocument::*)();

struct TKind {
    const char* Name;
    TCommand Command;
};

constexpr std::array<TKind, 6> Kinds{{
    {"dc-linear", &TCircuitDocument::AtnSimulateDC},
    {"ac-linear", &TCircuitDocument::AtnSimulateAC},
    {"dc", &TCircuitDocument::AtnSimulateDCNonLinear},
    {"ac", &TCircuitDocument::AtnSimulateACNonLinear},
    {"dc-keep", &TCircuitDocument::AtnSimulateDCAdditional},
    {"ac-keep", &TCircuitDocument::AtnSimulateACAdditional},
}};

struct TOptions {
    std::string FileName;
    TCommand Command = nullptr;
    std::string Frequency = "1000";
    TSolverKind Solver = DefaultSolverKind;
};

std::optional<TCommand> FindKind(const std::string& name) {
    for (const TKind& kind : Kinds) {
        if (name == kind.Name) {
            return kind.Command;
        }
    }
    return std::nullopt;
}

// The options, or nothing (with the reason on err) when they do not fit.
std::optional<TOptions> ParseOptions(const TArgs& args, std::ostream& err) {
    TOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--kind" && hasValue) {
            const auto command = FindKind(args[++i]);
            if (!command) {
                err << "analyse: unknown kind \"" << args[i] << "\"\n";
                return std::nullopt;
            }
            options.Command = *command;
        } else if (arg == "--freq" && hasValue) {
            options.Frequency = args[++i];
        } else if (arg == "--solver" && hasValue) {
            const auto solver = SolverKindFromName(args[++i]);
            if (!solver) {
                err << "analyse: unknown solver \"" << args[i] << "\"\n";
                return std::nullopt;
            }
            options.Solver = *solver;
        } else if (arg.rfind("--", 0) != 0 && options.FileName.empty()) {
            options.FileName = arg;
        } else {
            err << Usage;
            return std::nullopt;
        }
    }
    if (options.FileName.empty() || options.Command == nullptr) {
        err << Usage;
        return std::nullopt;
    }
    return options;
}

// Line ends of the property text as the console writes them.
std::string ConsoleLines(const std::string& text) {
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        lines += text[i];
    }
    return lines;
}

// The meter reading or brightness shown on the panel, as a line, if any.
std::string DisplayLine(const TZaroSimDevice& device) {
    if (dynamic_cast<const TVoltMeter*>(&device) || dynamic_cast<const TAmMeter*>(&device) ||
        dynamic_cast<const TPotentialMeter*>(&device)) {
        return "Reading = " + device.ValueEdit()->Text() + "\n";
    }
    if (dynamic_cast<const TLamp*>(&device) || dynamic_cast<const TLED*>(&device)) {
        return "ImageIndex = " + std::to_string(device.ImageIndex()) + "\n";
    }
    return "";
}

void PrintDevices(TCircuitDocument& document, std::ostream& out) {
    TCodingPanel& canvas = document.Canvas();
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        if (i > 0) {
            out << '\n';
        }
        canvas.SetSelectedDragPanelNo(i);
        out << ConsoleLines(DevicePropertyText(canvas, document.Analysis()));
        if (const auto* device = dynamic_cast<const TZaroSimDevice*>(&canvas.DragPanel(i))) {
            out << DisplayLine(*device);
        }
    }
    canvas.SetSelectedDragPanelNo(-1);
}

} // namespace

int AnalyseCommand(const TArgs& args, std::ostream& out, std::ostream& err) {
    const std::optional<TOptions> options = ParseOptions(args, err);
    if (!options) {
        return 1;
    }
    LoadZaroMath();
    if (!ZaroMathLoaded()) {
        err << "analyse: the ZaroMath library " << ZaroMathFileName() << " cannot be loaded\n";
        return 1;
    }
    TConsolePlatform platform(err);
    TConsoleProgressView progressView;
    TCircuitDocument document(platform, progressView);
    try {
        document.SetSolverKind(options->Solver);
        LoadModel(document, options->FileName);
        document.SetFrequencyText(options->Frequency);
        (document.*(options->Command))();
    } catch (const std::exception& e) {
        // The shell's report of an error that left the command.
        err << e.what() << '\n';
    }
    for (const std::string& sentence : DiagnosisSentences(document.Diagnosed().Diagnosis())) {
        err << sentence << '\n';
    }
    PrintDevices(document, out);
    return document.Analysis().ResultsValid() ? 0 : 1;
}

} // namespace zaro::cli
