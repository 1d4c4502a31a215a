#pragma once
// The results of the last analysis and the arrays of the wire-based system,
// in the order the document holds them. Entry 2w of the solution is the
// potential of wire w, entry 2w + 1 its current counted from the wire's start
// end; WireCurrents are kept unsigned, devices apply the port sign.

#include "Signal.h"
#include "ZaroErrors.h"
#include "ZaroMathImport.h"

#include <vector>

namespace zaro {

// Which analysis produced the present results.
enum class TAnalysisKind { akLinearDC, akDC, akLinearAC, akAC };

class TAnalysisState {
public:
    // True once a command has handed its results to the devices.
    bool ResultsValid() const { return FResultsValid; }
    // Every call with true means new results are on show; false announces
    // only when they were valid.
    void SetResultsValid(bool valid) {
        if (valid || FResultsValid) {
            FResultsValid = valid;
            ResultsChanged.Emit();
        }
    }
    // The results on show changed: new ones, or none any more.
    TSignal<> ResultsChanged;

    TAnalysisKind AnalysisKind = TAnalysisKind::akLinearDC;
    // Wires at the last preparation (or AC solve), and their solution.
    int WireCount = 0;
    std::vector<TComplex> WireVoltages;
    std::vector<TComplex> WireCurrents;
    // N = 2 * WireCount; matrices are N * N, row-major.
    int SystemSize = 0;
    std::vector<TComplex> ACRhs;
    std::vector<TComplex> ACMatrix;
    std::vector<double> DCRhs;
    std::vector<double> DCMatrix;

private:
    bool FResultsValid = false;
};

// Solved potential / unsigned current of wire `wire`; range error outside.
inline const TComplex& WireVoltageAt(const TAnalysisState& state, int wire) {
    CheckIndex(wire, static_cast<long long>(state.WireVoltages.size()));
    return state.WireVoltages[static_cast<std::size_t>(wire)];
}
inline const TComplex& WireCurrentAt(const TAnalysisState& state, int wire) {
    CheckIndex(wire, static_cast<long long>(state.WireCurrents.size()));
    return state.WireCurrents[static_cast<std::size_t>(wire)];
}

} // namespace zaro
