#pragma once
// Frequency-response and DC sweeps of the circuit on the canvas. The AC sweep
// solves the AC system at each frequency (after one operating-point search
// when the circuit has non-linear devices); the DC sweep steps a variable of
// the variables pane and finds the operating point at each step, starting
// from the previous one. The sweep works on its own analysis state, so the
// results on show stay as they were, and it puts the variables back when it
// ends. Stop keeps the points computed so far.

#include "ACSolvePipeline.h"
#include "CircuitEquations.h"
#include "SweepProbes.h"
#include "SweepRange.h"

#include <functional>
#include <string>
#include <vector>

namespace zaro {

class TFrmProgress;

inline constexpr const char* StatusSweep = "掃引中 ";

// "変数「NAME」は変数欄にありません。"
std::string MissingVariableMessage(const std::string& name);

enum class TSweepOutcome { NotRun, Completed, Stopped, Failed };

struct TSweepResult {
    bool IsAC = true;
    // The swept quantity: F for the AC sweep, the variable's name for DC.
    std::string VariableName;
    std::vector<TSweepProbe> Probes;
    // One entry per computed point; Readings[k][p] is probe p at Values[k].
    std::vector<double> Values;
    std::vector<std::vector<TComplex>> Readings;
    TSweepOutcome Outcome = TSweepOutcome::NotRun;
};

class TSweepRunner {
public:
    TSweepRunner(TCodingPanel& canvas, TPlatform& platform, TFrmProgress& progress,
                 std::vector<std::string>& variables, TSolverKind solverKind = DefaultSolverKind);

    // Range errors (and, for DC, a variable missing from the pane) raise
    // ESweepRange before anything runs.
    TSweepResult RunAC(const TSweepRange& range);
    TSweepResult RunDC(const std::string& variable, const TSweepRange& range);

    // Called after every computed point with the result so far.
    std::function<void(const TSweepResult&)> OnPoint;
    // Threads that solve the AC systems while this one assembles them; none
    // solves each on this thread. The results are the same bit for bit.
    int SolveWorkers = DefaultSolveWorkers();

private:
    using TStep = std::function<void(double value, bool first)>;
    using TSolvePoints = std::function<void(TSweepResult&)>;

    TSweepResult Run(TSweepResult result, const char* failureMessage,
                     const TSolvePoints& solvePoints);
    void SolveInTurn(TSweepResult& result, const std::vector<double>& points, const TStep& step);
    void SolveFrequencies(TSweepResult& result, const std::vector<double>& points);
    void RecordSolved(TSweepResult& result, const std::vector<double>& points,
                      TACSolvePipeline& pipeline, bool wait);
    void Record(TSweepResult& result, double value);
    bool HasNonLinearDevices() const;

    TCodingPanel& Canvas;
    TPlatform& Platform;
    TFrmProgress& Progress;
    std::vector<std::string>& Variables;
    TAnalysisState State;
    TNonLinearRegistry Registry;
    TCircuitEquations Equations;
};

} // namespace zaro
