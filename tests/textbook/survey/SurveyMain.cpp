// Prints the convergence table of the operating-point searches by family:
// every generated circuit drawn naturally and redrawn, run through the
// search, judged against the device laws and the nodal solution.
//
//   zaro_oppoint_survey [--search command|fallback|fallback-resolved] [--seed N] [--per-family N]
//                       [--redraws N] [--details]
//   zaro_oppoint_survey --examples     the named examples through both searches

#include "NamedExamples.h"
#include "OperatingPointSurvey.h"
#include "TextbookCircuits.h"
#include "ZaroMathImport.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

using namespace zaro::test;

struct TOptions {
    TSearch Search = TSearch::DCCommand;
    std::uint64_t Seed = 18;
    int PerFamily = 25;
    int Redraws = 2;
    bool Details = false;
    bool Examples = false;
};

struct TTally {
    int Circuits = 0;
    int Right = 0;
    int Tight = 0;
    int Failed = 0;
    int Imprecise = 0;
    int Wrong = 0;
    int DrawingDependent = 0;
};

TOptions ReadOptions(int argc, char** argv) {
    TOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (arg == "--search") {
            const std::string name = value;
            options.Search = name == "fallback"            ? TSearch::Fallback
                             : name == "fallback-resolved" ? TSearch::FallbackResolved
                                                           : TSearch::DCCommand;
            ++i;
        } else if (arg == "--seed") {
            options.Seed = std::strtoull(value, nullptr, 10);
            ++i;
        } else if (arg == "--per-family") {
            options.PerFamily = std::atoi(value);
            ++i;
        } else if (arg == "--redraws") {
            options.Redraws = std::atoi(value);
            ++i;
        } else if (arg == "--details") {
            options.Details = true;
        } else if (arg == "--examples") {
            options.Examples = true;
        }
    }
    return options;
}

const char* OutcomeName(TOutcome outcome) {
    switch (outcome) {
    case TOutcome::Right:
        return "right";
    case TOutcome::Failed:
        return "failed";
    case TOutcome::ImpreciseSuccess:
        return "imprecise";
    case TOutcome::WrongSuccess:
        return "WRONG";
    }
    return "?";
}

void Count(TTally& tally, const TCircuitSurvey& survey) {
    ++tally.Circuits;
    tally.Right += survey.Natural.Outcome == TOutcome::Right ? 1 : 0;
    tally.Tight += survey.Natural.Tight ? 1 : 0;
    tally.Failed += survey.Natural.Outcome == TOutcome::Failed ? 1 : 0;
    tally.Imprecise += survey.Natural.Outcome == TOutcome::ImpreciseSuccess ? 1 : 0;
    tally.Wrong += survey.Natural.Outcome == TOutcome::WrongSuccess ? 1 : 0;
    tally.DrawingDependent += survey.DrawingDependent ? 1 : 0;
}

void PrintRow(const std::string& name, const TTally& t) {
    const auto percent = [&t](int n) { return 100.0 * n / std::max(t.Circuits, 1); };
    std::printf("| %s | %d", name.c_str(), t.Circuits);
    for (const int n : {t.Right, t.Tight, t.Failed, t.Imprecise, t.Wrong, t.DrawingDependent}) {
        std::printf(" | %d (%.0f %%)", n, percent(n));
    }
    std::printf(" |\n");
}

// "4.097 V", or what the search said instead.
std::string Reading(const TSearchRun& run, const TNetlist& circuit, const TExpectedValue& value) {
    if (run.Outcome == TOutcome::Failed) {
        return "failed: " + run.Detail;
    }
    const TPortResult& port = run.Results[static_cast<std::size_t>(PartIndex(circuit, value.Part))]
                                         [static_cast<std::size_t>(value.Port)];
    char text[64];
    std::snprintf(text, sizeof text, "%.6g %s (%s)", value.Current ? port.I : port.V,
                  value.Current ? "A" : "V", OutcomeName(run.Outcome));
    return run.Outcome == TOutcome::Right ? text : text + (": " + run.Detail);
}

// Each example drawn naturally and redrawn: what each search shows.
void PrintExamples(const TOptions& options) {
    for (const TNamedExample& example : NamedExamples()) {
        for (const TExpectedValue& value : example.Values) {
            std::printf("%s, %s %s port %d: right %.6g\n", example.Name.c_str(),
                        value.Current ? "current into" : "potential at", value.Part.c_str(),
                        value.Port, value.Expected);
        }
        for (int k = 0; k <= options.Redraws; ++k) {
            const auto seed =
                k == 0 ? std::nullopt : std::optional<std::uint64_t>(options.Seed + k);
            const TSearchRun command = RunSearch(TSearch::DCCommand, example.Circuit, seed);
            const TSearchRun fallback = RunSearch(TSearch::Fallback, example.Circuit, seed);
            for (const TExpectedValue& value : example.Values) {
                std::printf("    %s: command %s; fallback %s\n", k == 0 ? "natural" : "redrawn",
                            Reading(command, example.Circuit, value).c_str(),
                            Reading(fallback, example.Circuit, value).c_str());
            }
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const TOptions options = ReadOptions(argc, argv);
    zaro::LoadZaroMath();
    if (!zaro::ZaroMathLoaded()) {
        std::fprintf(stderr, "ZaroMath could not be bound\n");
        return 1;
    }
    if (options.Examples) {
        PrintExamples(options);
        zaro::UnloadZaroMath();
        return 0;
    }
    TTextbookGenerator generator(options.Seed);
    std::map<std::string, TTally> tallies;
    TTally total;
    int index = 0;
    for (const TNetlist& circuit : generator.Batch(options.PerFamily)) {
        const TCircuitSurvey survey =
            SurveyCircuit(options.Search, circuit, options.Redraws, options.Seed + index++);
        Count(tallies[circuit.Family], survey);
        Count(total, survey);
        if (options.Details && (!survey.Natural.Tight || survey.DrawingDependent)) {
            std::printf("%s: %s%s: %s\n", circuit.Title.c_str(),
                        OutcomeName(survey.Natural.Outcome),
                        survey.DrawingDependent ? ", drawing-dependent" : "",
                        survey.Natural.Detail.c_str());
            for (const TSearchRun& redraw : survey.Redraws) {
                std::printf("    redrawn: %s %s\n", OutcomeName(redraw.Outcome),
                            redraw.Detail.c_str());
            }
        }
    }
    std::printf("| family | circuits | right | right to 1e-8 | failed | imprecise success | "
                "wrong success | drawing-dependent |\n|---|---|---|---|---|---|---|---|\n");
    for (const TFamily family : AllFamilies) {
        PrintRow(FamilyName(family), tallies[FamilyName(family)]);
    }
    PrintRow("all", total);
    zaro::UnloadZaroMath();
    return 0;
}
