#pragma once
// Whether a point handed over by the parameter search is an operating point:
// every device's residual within the search's own root tolerance when
// evaluated again at that point (a stalled line search ends elsewhere), and
// every junction law holding on the physical side of its poles.

#include "AnalysisState.h"
#include "CodingPanel.h"
#include "JunctionCompanion.h"
#include "NonLinearRegistry.h"
#include "NumericalRecepies.h"

#include <vector>

namespace zaro {

// The root test of the parameter search (Z_Newt).
inline constexpr double SearchResidualTolerance = NewtonRootTolerance;
// The laws at the search's precision: its residuals are currents to 1e-6 A.
inline constexpr TLawTolerance SearchLawTolerance{1e-6, 1e-6, 1e-12, 1e-10};

// Entry 2w the potential of wire w, 2w + 1 its current (real parts).
std::vector<double> WireSolution(const TAnalysisState& state);

bool ResidualsWithin(const TNonLinearRegistry& registry, double tolerance);

// Devices without known laws pass: their residuals are all there is.
bool JunctionLawsHold(const TCodingPanel& canvas, const std::vector<double>& x,
                      const TLawTolerance& tolerance);

} // namespace zaro
