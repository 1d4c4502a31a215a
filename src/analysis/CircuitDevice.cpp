#include "CircuitDevice.h"

#include <string>

namespace zaro {

TZaroSimDevice& DeviceAt(const TCodingPanel& canvas, int index) {
    auto* device = dynamic_cast<TZaroSimDevice*>(&canvas.DragPanel(index));
    if (device == nullptr) {
        throw EZaroError("Panel " + std::to_string(index) + " is not a circuit device.");
    }
    return *device;
}

bool PortsSolved(const TDragPanel& panel, const TAnalysisState& state) {
    for (int j = 0; j < panel.PortCount(); ++j) {
        const int wire = panel.PortConnectorNo(j);
        if (wire < 0 || wire >= static_cast<int>(state.WireVoltages.size()) ||
            wire >= static_cast<int>(state.WireCurrents.size())) {
            return false;
        }
    }
    return true;
}

} // namespace zaro
