#pragma once
// What follows the parameter search of the operating point: a point it found
// is brought closer to the exact one by Newton steps on the device laws; when
// it found none, the fallback search looks for one from the start. Either
// point reaches the devices as their parameters and the wire arrays as it was
// found (solving the circuit again at those parameters would lose digits
// where a saturated and a cut-off junction meet), and it counts only when
// every device law holds there.

#include "DenseStepSolver.h"
#include "NonLinearAnalysis.h"
#include "OperatingPointFallback.h"
#include "SparseStepSolver.h"

namespace zaro {

// The ways the parameter search gives up, which the fallback may mend: its
// own failure message, a singular system, a math error, Newton's failures.
// Any other error (the user's Stop among them) ends the analysis.
bool IsSearchFailure(const EZaroError& error);

// The steps are solved sparse for the sparse solver, dense for the
// reference one. Each solver is kept from run to run, so that a circuit
// analysed again (a sweep, a repeated command) reuses its pattern.
class TRobustOperatingPoint {
public:
    TRobustOperatingPoint(TCircuitEquations& equations, TNonLinearAnalysis& analysis);

    // From the point in the devices and the wire arrays; the refined point
    // replaces it only where the search would have accepted it as well.
    void Refine(TSolverKind kind);
    // The fallback from the start parameters; true when its point is handed
    // over, every law holding to FallbackLawTolerance.
    bool Rescue(TSolverKind kind);

private:
    TOperatingPointFallback Fallback(TSolverKind kind);
    // Writes the point to the devices and the wire arrays; true when the
    // residuals and the laws hold there to the given tolerance.
    bool HandOver(const TFallbackResult& result, const TLawTolerance& tolerance);
    // The point in the devices and the wire arrays now, as a result.
    TFallbackResult PresentPoint() const;

    TCircuitEquations& Equations;
    TNonLinearAnalysis& Analysis;
    TDenseStepSolver Dense;
    TSparseStepSolver Sparse;
};

} // namespace zaro
