#pragma once
// The analysis reaches the panels of the canvas as devices only.

#include "CodingPanel.h"
#include "ZaroSimDevices.h"

namespace zaro {

// Panel `index` of the canvas as a device; a panel that is no device (or an
// index outside the list) raises an error instead of being analysed.
TZaroSimDevice& DeviceAt(const TCodingPanel& canvas, int index);

} // namespace zaro
