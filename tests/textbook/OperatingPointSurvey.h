#pragma once
// Runs a textbook circuit, drawn naturally or redrawn, through an
// operating-point search and judges the outcome against the device laws and
// the independent nodal solution: right, failed, or a success whose values
// are wrong. Comparing the drawings of one circuit tells whether the outcome
// depends on how it was drawn.

#include "CircuitDrawing.h"
#include "LawCheck.h"
#include "NodalSolver.h"
#include "OperatingPointFallback.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zaro::test {

struct TPortResult {
    double V; // potential
    double I; // current into the port
};
// Per part of the netlist, per port.
using TPartResults = std::vector<std::vector<TPortResult>>;

TPartResults ReadPartResults(const TDrawnCircuit& drawn, const TAnalysisState& state);
TPartResults NodalPartResults(const TNetlist& netlist, const TNodalSolution& solution);
// Empty when every port agrees within the tolerance, else the first difference.
std::string CompareResults(const TNetlist& netlist, const TPartResults& a, const TPartResults& b,
                           const TTolerance& tolerance);

// A success is right within SurveyTolerance, imprecise within
// GrossTolerance, wrong beyond.
enum class TOutcome { Right, Failed, ImpreciseSuccess, WrongSuccess };

struct TSearchRun {
    TOutcome Outcome = TOutcome::Failed;
    bool Tight = false;                          // right within TightTolerance as well
    std::string Detail;                          // the failure message, or what is wrong
    TPartResults Results;                        // of a success
    TFallbackStage Stage = TFallbackStage::None; // of the fallback
};

// The searches compared: the non-linear DC command as it stands, and the
// fallback on its own, its result handed to the devices as their parameters
// with its point in the wire arrays, or (FallbackResolved) with the wire
// arrays from the circuit's own DC solve at those parameters.
enum class TSearch { DCCommand, Fallback, FallbackResolved };

TSearchRun RunSearch(TSearch search, const TNetlist& netlist,
                     std::optional<std::uint64_t> redrawSeed = std::nullopt,
                     int stepsPerNewton = TOperatingPointFallback::DefaultStepsPerNewton);

struct TCircuitSurvey {
    TSearchRun Natural;
    std::vector<TSearchRun> Redraws;
    // A redraw has another outcome, or both are inexact successes that
    // differ beyond SurveyTolerance.
    bool DrawingDependent = false;
};

// The natural drawing and `redraws` redraws with seeds derived from `seed`.
TCircuitSurvey SurveyCircuit(TSearch search, const TNetlist& netlist, int redraws,
                             std::uint64_t seed);

} // namespace zaro::test
