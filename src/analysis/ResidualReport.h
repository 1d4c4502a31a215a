#pragma once
// After a failed operating-point search: the non-linear devices furthest from
// their characteristic at the last iterate, with their port potentials.

#include "AnalysisState.h"
#include "CircuitDiagnosis.h"
#include "CodingPanel.h"

namespace zaro {

// Up to `count` LargeResidual findings, largest first, with the port
// potentials of the wire arrays as the search left them; devices whose
// residual is 0 are left out. The residuals are those the last evaluation
// left, unless `recompute`: after a math error, which names no device, every
// non-linear device works its residual out again from the wire arrays (as the
// search does after each solve), and one that raises a math error comes first.
std::vector<TFinding> LargestResiduals(const TCodingPanel& canvas, const TAnalysisState& state,
                                       int count, bool recompute);

} // namespace zaro
