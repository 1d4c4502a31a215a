#pragma once
// After a failed operating-point search: the non-linear devices furthest from
// their characteristic at the last iterate, with their port potentials.

#include "AnalysisState.h"
#include "CircuitDiagnosis.h"
#include "CodingPanel.h"

namespace zaro {

// Lets every non-linear device work out its residual again from the wire
// arrays as the search left them (as the search itself does after each
// solve) and returns up to `count` LargeResidual findings, largest first; a
// device whose residual raises a math error comes before all others. Devices
// whose residual is 0 are left out.
std::vector<TFinding> LargestResiduals(const TCodingPanel& canvas, const TAnalysisState& state,
                                       int count);

} // namespace zaro
