#include "OperatingPointCheck.h"

#include "CircuitDevice.h"

#include <cmath>

namespace zaro {

std::vector<double> WireSolution(const TAnalysisState& state) {
    std::vector<double> x;
    x.reserve(2 * static_cast<std::size_t>(state.WireCount));
    for (int w = 0; w < state.WireCount; ++w) {
        x.push_back(WireVoltageAt(state, w).re);
        x.push_back(WireCurrentAt(state, w).re);
    }
    return x;
}

bool ResidualsWithin(const TNonLinearRegistry& registry, double tolerance) {
    for (int k = 0; k < registry.NonLinearParamTotal(); ++k) {
        if (!(std::fabs(registry.Residual(k)) < tolerance)) {
            return false;
        }
    }
    return true;
}

bool JunctionLawsHold(const TCodingPanel& canvas, const std::vector<double>& x,
                      const TLawTolerance& tolerance) {
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        TZaroSimDevice& device = DeviceAt(canvas, i);
        if (device.NonLinearParamCount() == 0) {
            continue;
        }
        const std::unique_ptr<TJunctionCompanion> companion = TJunctionCompanion::For(device);
        if (companion && !companion->LawsHold(x, tolerance)) {
            return false;
        }
    }
    return true;
}

} // namespace zaro
