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
    FDeviceCount = deviceCount;
    FParamTotal = paramTotal;
    FIterationCount = 0;
    FLastResidualSum = 0.0;
    FDevices.clear();
    FParamRefs.clear();
    FStartValues.clear();
    FResidualRefs.clear();
    FParamCounts.clear();
    FPanelIds.clear();
    FDevices.reserve(static_cast<std::size_t>(deviceCount));
    FParamRefs.reserve(static_cast<std::size_t>(paramTotal));
    FStartValues.reserve(static_cast<std::size_t>(paramTotal));
    FResidualRefs.reserve(static_cast<std::size_t>(paramTotal));
}

void TNonLinearRegistry::Register(int canvasIndex, TZaroSimDevice& device) {
    const int count = device.NonLinearParamCount();
    FDevices.push_back(canvasIndex);
    FParamCounts.push_back(count);
    for (int j = 0; j < count; ++j) {
        double* param = CheckedRef(device.NonLinearParam(j), device, "parameter", j);
        FParamRefs.push_back(param);
        FStartValues.push_back(*param);
        FResidualRefs.push_back(CheckedRef(device.NonLinearResidual(j), device, "residual", j));
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
        FDevices.size() != FParamCounts.size()) {
        return false;
    }
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        if (PanelId(canvas.DragPanel(i)) != FPanelIds[static_cast<std::size_t>(i)]) {
            return false;
        }
    }
    int total = 0;
    for (std::size_t d = 0; d < FDevices.size(); ++d) {
        const auto* device = dynamic_cast<const TZaroSimDevice*>(&canvas.DragPanel(FDevices[d]));
        if (device == nullptr || device->NonLinearParamCount() != FParamCounts[d]) {
            return false;
        }
        total += FParamCounts[d];
    }
    return total == FParamTotal;
}

std::vector<double> TNonLinearRegistry::CurrentParams(const TCodingPanel& canvas) const {
    if (!Matches(canvas)) {
        throw ERangeError();
    }
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(FParamTotal));
    for (std::size_t d = 0; d < FDevices.size(); ++d) {
        TZaroSimDevice& device = DeviceAt(canvas, FDevices[d]);
        for (int j = 0; j < FParamCounts[d]; ++j) {
            values.push_back(*CheckedRef(device.NonLinearParam(j), device, "parameter", j));
        }
    }
    return values;
}

double& TNonLinearRegistry::Param(int k) const {
    CheckIndex(k, static_cast<long long>(FParamRefs.size()));
    return *FParamRefs[static_cast<std::size_t>(k)];
}

double TNonLinearRegistry::Residual(int k) const {
    CheckIndex(k, static_cast<long long>(FResidualRefs.size()));
    return *FResidualRefs[static_cast<std::size_t>(k)];
}

void TNonLinearRegistry::ReleaseReferences() {
    FParamRefs.clear();
    FResidualRefs.clear();
}

} // namespace zaro
