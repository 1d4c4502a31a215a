#pragma once
// What follows the parameter search of the operating point: a point it found
// is brought to the precision of the device laws by Newton on those laws; when
// it found none, the fallback search looks for one from the start. Either
// point reaches the devices as their parameters and the wire arrays as it was
// found (solving the circuit again at those parameters would lose digits
// where a saturated and a cut-off junction meet), and it counts only when
// every device law holds there.

#include "DenseStepSolver.h"
#include "NonLinearAnalysis.h"
#include "OperatingPointFallback.h"

namespace zaro {

// The ways the parameter search gives up, which the fallback may mend: its
// own failure message, a singular system, a math error, Newton's failures.
// Any other error (the user's Stop among them) ends the analysis.
bool IsSearchFailure(const EZaroError& error);

class TRobustOperatingPoint {
public:
    TRobustOperatingPoint(TCircuitEquations& equations, TNonLinearAnalysis& analysis);

    // From the point in the wire arrays; the refined point replaces it only
    // when every law holds to FallbackLawTolerance there.
    void Refine();
    // The fallback from the start parameters; true when its point is handed
    // over.
    bool Rescue();

private:
    TOperatingPointFallback Fallback();
    bool HandOver(const TFallbackResult& result);

    TCircuitEquations& Equations;
    TNonLinearAnalysis& Analysis;
    TDenseStepSolver Solver;
};

} // namespace zaro
