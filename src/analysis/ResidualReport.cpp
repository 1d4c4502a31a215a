#include "ResidualReport.h"

#include "CircuitDevice.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zaro {

namespace {

// The residual's place in the report: errors first, then the largest.
double Rank(const TFinding& finding) {
    if (!finding.Error.empty() || std::isnan(finding.Residual)) {
        return std::numeric_limits<double>::infinity();
    }
    return finding.Residual;
}

// The norm of what the last evaluation left, as CalcNonLinearResidual returns it.
double StoredResidual(const TZaroSimDevice& device) {
    double squares = 0.0;
    for (const double r : device.Residuals()) {
        squares += r * r;
    }
    return std::sqrt(squares);
}

TFinding ResidualFinding(TZaroSimDevice& device, const TAnalysisState& state, bool recompute) {
    TFinding finding;
    finding.Kind = TFindingKind::LargeResidual;
    finding.Devices.push_back({device.Index(), device.ClassName()});
    TPortRealArray potentials;
    TPortRealArray currents;
    for (int p = 0; p < device.PortCount(); ++p) {
        potentials[p] = WireVoltageAt(state, device.PortConnectorNo(p)).re;
        currents[p] = WireCurrentAt(state, device.PortConnectorNo(p)).re;
        finding.Voltages.push_back({PortName(device, p), potentials[p]});
    }
    if (!recompute) {
        finding.Residual = StoredResidual(device);
        return finding;
    }
    try {
        finding.Residual = std::fabs(device.CalcNonLinearResidual(potentials, currents));
    } catch (const EMathError& error) {
        finding.Error = error.what();
    }
    return finding;
}

} // namespace

std::vector<TFinding> LargestResiduals(const TCodingPanel& canvas, const TAnalysisState& state,
                                       int count, bool recompute) {
    std::vector<TFinding> findings;
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        TZaroSimDevice& device = DeviceAt(canvas, i);
        if (!device.IsNonLinear() || !PortsSolved(device, state)) {
            continue;
        }
        TFinding finding = ResidualFinding(device, state, recompute);
        if (Rank(finding) > 0.0) {
            findings.push_back(std::move(finding));
        }
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const TFinding& a, const TFinding& b) { return Rank(a) > Rank(b); });
    if (static_cast<int>(findings.size()) > count) {
        findings.resize(static_cast<std::size_t>(count));
    }
    return findings;
}

} // namespace zaro
