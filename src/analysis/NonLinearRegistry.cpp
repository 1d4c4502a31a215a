#include "NonLinearRegistry.h"

#include "CircuitDevice.h"

#include <string>

namespace zaro {

namespace {

std::uintptr_t PanelId(const TDragPanel& panel) {
    return reinterpret_cast<std::uintptr_t>(&panel);
}

double* CheckedRef(double* ref, const TZaroSimDevice& device, const char* what, int j) {
    if (ref == nullptr) {
        throw EZaroError(device.ClassName() + ": no " + what + " " + std::to_string(j) + ".");
    }
    return ref;
}

} // namespace

void TNonLinearRegistry::Reset(int deviceCount, int paramTotal) {
    NonLinearDeviceCount = deviceCount;
    NonLinearParamTotal = paramTotal;
    NonLinearDevices.clear();
    NonLinearParamRefs.clear();
    NonLinearStartValues.clear();
    NonLinearResidualRefs.clear();
    FParamCounts.clear();
    FPanelIds.clear();
    NonLinearDevices.reserve(static_cast<std::size_t>(deviceCount));
    NonLinearParamRefs.reserve(static_cast<std::size_t>(paramTotal));
    NonLinearStartValues.reserve(static_cast<std::size_t>(paramTotal));
    NonLinearResidualRefs.reserve(static_cast<std::size_t>(paramTotal));
}

void TNonLinearRegistry::Register(int canvasIndex, TZaroSimDevice& device) {
    const int count = device.NonLinearParamCount();
    NonLinearDevices.push_back(canvasIndex);
    FParamCounts.push_back(count);
    for (int j = 0; j < count; ++j) {
        double* param = CheckedRef(device.NonLinearParam(j), device, "parameter", j);
        NonLinearParamRefs.push_back(param);
        NonLinearStartValues.push_back(*param);
        NonLinearResidualRefs.push_back(
            CheckedRef(device.NonLinearResidual(j), device, "residual", j));
    }
}

void TNonLinearRegistry::RememberPanels(const TCodingPanel& canvas) {
    FPanelIds.clear();
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        FPanelIds.push_back(PanelId(canvas.DragPanel(i)));
    }
}

bool TNonLinearRegistry::Matches(const TCodingPanel& canvas) const {
    if (static_cast<std::size_t>(canvas.DragPanelCount()) != FPanelIds.size() ||
        NonLinearDevices.size() != FParamCounts.size()) {
        return false;
    }
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        if (PanelId(canvas.DragPanel(i)) != FPanelIds[static_cast<std::size_t>(i)]) {
            return false;
        }
    }
    int total = 0;
    for (std::size_t d = 0; d < NonLinearDevices.size(); ++d) {
        const auto* device =
            dynamic_cast<const TZaroSimDevice*>(&canvas.DragPanel(NonLinearDevices[d]));
        if (device == nullptr || device->NonLinearParamCount() != FParamCounts[d]) {
            return false;
        }
        total += FParamCounts[d];
    }
    return total == NonLinearParamTotal;
}

std::vector<double> TNonLinearRegistry::CurrentParams(const TCodingPanel& canvas) const {
    if (!Matches(canvas)) {
        throw ERangeError();
    }
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(NonLinearParamTotal));
    for (std::size_t d = 0; d < NonLinearDevices.size(); ++d) {
        TZaroSimDevice& device = DeviceAt(canvas, NonLinearDevices[d]);
        for (int j = 0; j < FParamCounts[d]; ++j) {
            values.push_back(*CheckedRef(device.NonLinearParam(j), device, "parameter", j));
        }
    }
    return values;
}

double& TNonLinearRegistry::Param(int k) const {
    CheckIndex(k, static_cast<long long>(NonLinearParamRefs.size()));
    return *NonLinearParamRefs[static_cast<std::size_t>(k)];
}

double TNonLinearRegistry::Residual(int k) const {
    CheckIndex(k, static_cast<long long>(NonLinearResidualRefs.size()));
    return *NonLinearResidualRefs[static_cast<std::size_t>(k)];
}

void TNonLinearRegistry::ReleaseReferences() {
    NonLinearParamRefs.clear();
    NonLinearResidualRefs.clear();
}

} // namespace zaro
