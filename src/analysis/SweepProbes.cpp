#include "SweepProbes.h"

#include "Meters.h"

namespace zaro {

namespace {

const TZaroSimDevice& DeviceOf(const TCodingPanel& canvas, int index) {
    return dynamic_cast<const TZaroSimDevice&>(canvas.DragPanel(index));
}

TComplex PortPotential(const TZaroSimDevice& device, const TAnalysisState& state, int port) {
    return WireVoltageAt(state, device.PortConnectorNo(port));
}

} // namespace

std::string TSweepProbe::Label() const {
    static constexpr char Letters[] = {'P', 'V', 'A'};
    return Letters[static_cast<int>(Kind)] + std::to_string(DeviceIndex);
}

std::vector<TSweepProbe> FindSweepProbes(const TCodingPanel& canvas) {
    std::vector<TSweepProbe> probes;
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        const TDragPanel& panel = canvas.DragPanel(i);
        if (dynamic_cast<const TPotentialMeter*>(&panel)) {
            probes.push_back({i, TProbeKind::Potential});
        } else if (dynamic_cast<const TVoltMeter*>(&panel)) {
            probes.push_back({i, TProbeKind::Voltage});
        } else if (dynamic_cast<const TAmMeter*>(&panel)) {
            probes.push_back({i, TProbeKind::Current});
        }
    }
    return probes;
}

TComplex ReadProbe(const TSweepProbe& probe, const TCodingPanel& canvas,
                   const TAnalysisState& state) {
    const TZaroSimDevice& device = DeviceOf(canvas, probe.DeviceIndex);
    switch (probe.Kind) {
    case TProbeKind::Potential:
        return PortPotential(device, state, 0);
    case TProbeKind::Voltage:
        return ComplexSubtract(PortPotential(device, state, 0), PortPotential(device, state, 1));
    case TProbeKind::Current: {
        const TComplex i = WireCurrentAt(state, device.PortConnectorNo(0));
        const double s = device.PortCurrentSign(0);
        return MakeComplex(s * i.re, s * i.im);
    }
    }
    return MakeComplex(0.0, 0.0);
}

} // namespace zaro
