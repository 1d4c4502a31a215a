#pragma once
// The analysis reaches the panels of the canvas as devices only.

#include "AnalysisState.h"
#include "CodingPanel.h"
#include "ZaroSimDevices.h"

namespace zaro {

// Panel `index` of the canvas as a device; a panel that is no device (or an
// index outside the list) raises an error instead of being analysed.
TZaroSimDevice& DeviceAt(const TCodingPanel& canvas, int index);

// Whether the wire arrays hold a solution for every port's wire; results
// cover the device only then.
bool PortsSolved(const TDragPanel& panel, const TAnalysisState& state);

} // namespace zaro
