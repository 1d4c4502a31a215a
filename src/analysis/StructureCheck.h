#pragma once
// The structural check of a wired circuit, from what the devices' DC or AC
// rows connect: devices whose block cannot be built, no reference at all,
// devices with every port on one node, loops of voltage sources and shorts,
// current sources without a way back, and parts with no path to a reference.
// A link whose impedance swamps every other term (a capacitor's 1E20 ohms in
// DC) is open in practice and joins nothing; a part that hangs on such links
// only is named with them.

#include "CircuitDiagnosis.h"
#include "CodingPanel.h"

namespace zaro {

// Every port must be wired (CheckCircuit passed). Evaluates every device's
// values the way the domain's analysis does (in DC through UpdateDeviceValue,
// keeping the non-linear parameters; in AC the block does it) and builds its
// block once; a device that fails on either is a ValueFault, and then the
// rest is not judged.
TCircuitDiagnosis DiagnoseStructure(const TCodingPanel& canvas, TAnalysisDomain domain);

} // namespace zaro
