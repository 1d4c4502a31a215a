#include "CircuitEquations.h"

#include "CircuitDevice.h"
#include "DenseSolvers.h"
#include "ProgressDlg.h"
#include "Sources.h"

#include <array>

namespace zaro {

namespace {

// A ground or a level fixes the potential the others are measured against.
bool IsReferenceDevice(const TDragPanel& panel) {
    return dynamic_cast<const TGnd*>(&panel) != nullptr ||
           dynamic_cast<const TLevel*>(&panel) != nullptr;
}

bool HasUnwiredPort(const TDragPanel& panel) {
    for (int j = 0; j < panel.PortCount(); ++j) {
        if (panel.PortConnectorNo(j) == -1) {
            return true;
        }
    }
    return false;
}

// Entry `index` of a flat array, range-checked.
template <typename T> T& At(std::vector<T>& items, long long index) {
    CheckIndex(index, static_cast<long long>(items.size()));
    return items[static_cast<std::size_t>(index)];
}

// Column of the potential of the wire at each port: 2 * PortConnectorNo.
std::array<long long, DevicePortSlots> PotentialColumns(const TDragPanel& panel) {
    std::array<long long, DevicePortSlots> columns{};
    CheckIndex(panel.PortCount(), DevicePortSlots + 1);
    for (int j = 0; j < panel.PortCount(); ++j) {
        columns[static_cast<std::size_t>(j)] = 2LL * panel.PortConnectorNo(j);
    }
    return columns;
}

TComplex AsComplex(double x) {
    return MakeComplex(x, 0.0);
}
TComplex AsComplex(const TComplex& z) {
    return z;
}

double Sum(double a, double b) {
    return a + b;
}
TComplex Sum(const TComplex& a, const TComplex& b) {
    return ComplexAdd(a, b);
}

// Adds the device block (P rows of 2P columns) into rows row.. of the system.
template <typename T, typename TCoef, typename TRhs>
void Accumulate(const TDragPanel& panel, const TCoef& coef, const TRhs& rhs, std::vector<T>& matrix,
                std::vector<T>& systemRhs, long long n, int& row) {
    const int ports = panel.PortCount();
    const auto columns = PotentialColumns(panel);
    for (int r = 0; r < ports; ++r) {
        T& right = At(systemRhs, row);
        right = Sum(right, rhs[r]);
        for (int j = 0; j < ports; ++j) {
            const long long column = columns[static_cast<std::size_t>(j)];
            CheckIndex(column + 1, n);
            T& potential = At(matrix, row * n + column);
            potential = Sum(potential, coef[r * 2 * ports + 2 * j]);
            T& current = At(matrix, row * n + column + 1);
            current = Sum(current, coef[r * 2 * ports + 2 * j + 1]);
        }
        ++row;
    }
}

// Solution entries 2w and 2w + 1 are the potential and current of wire w.
template <typename T> void StoreWireResults(TAnalysisState& state, std::vector<T>& solution) {
    for (int w = 0; w < state.WireCount; ++w) {
        At(state.WireVoltages, w) = AsComplex(At(solution, 2LL * w));
        At(state.WireCurrents, w) = AsComplex(At(solution, 2LL * w + 1));
    }
}

} // namespace

TCircuitEquations::TCircuitEquations(TCodingPanel& canvas, TPlatform& platform,
                                     TFrmProgress& progress, TAnalysisState& state,
                                     TNonLinearRegistry& registry)
    : FCanvas(canvas), FPlatform(platform), FProgress(progress), FState(state),
      FRegistry(registry) {}

void TCircuitEquations::ShowInformation(const std::string& text) {
    FPlatform.MessageBox(text, TMsgDlgType::mtInformation, TMsgDlgButtons::mbOK);
}

bool TCircuitEquations::CheckCircuit() {
    bool hasReference = false;
    for (int i = 0; i < FCanvas.DragPanelCount(); ++i) {
        hasReference = hasReference || IsReferenceDevice(FCanvas.DragPanel(i));
    }
    if (!hasReference) {
        ShowInformation(MsgNoReference);
        return false;
    }
    for (int i = 0; i < FCanvas.DragPanelCount(); ++i) {
        if (HasUnwiredPort(FCanvas.DragPanel(i))) {
            ShowInformation(MsgOpenPort);
            return false;
        }
    }
    return true;
}

void TCircuitEquations::ResizeWireArrays(int wireCount) {
    FState.WireCount = wireCount;
    FState.WireVoltages.resize(static_cast<std::size_t>(wireCount), MakeComplex(0.0, 0.0));
    FState.WireCurrents.resize(static_cast<std::size_t>(wireCount), MakeComplex(0.0, 0.0));
    FState.SystemSize = 2 * wireCount;
}

void TCircuitEquations::PrepareAnalysis() {
    ResizeWireArrays(FCanvas.ConnectorCount());
    const auto n = static_cast<std::size_t>(FState.SystemSize);
    FState.DCRhs.resize(n);
    FState.DCMatrix.resize(n * n);

    int deviceCount = 0;
    int paramTotal = 0;
    CountNonLinearDevices(deviceCount, paramTotal);
    FRegistry.Reset(deviceCount, paramTotal);
    RegisterNonLinearDevices();
}

void TCircuitEquations::CountNonLinearDevices(int& deviceCount, int& paramTotal) {
    for (int i = 0; i < FCanvas.DragPanelCount(); ++i) {
        TZaroSimDevice& device = DeviceAt(FCanvas, i);
        device.UpdateDeviceValue();
        if (device.NonLinearParamCount() > 0) {
            ++deviceCount;
            paramTotal += device.NonLinearParamCount();
        }
    }
}

void TCircuitEquations::RegisterNonLinearDevices() {
    for (int i = 0; i < FCanvas.DragPanelCount(); ++i) {
        CheckUserBreak();
        TZaroSimDevice& device = DeviceAt(FCanvas, i);
        if (device.NonLinearParamCount() > 0) {
            FRegistry.Register(i, device);
        }
    }
    FRegistry.RememberPanels(FCanvas);
}

void TCircuitEquations::AssembleDCDevice(int deviceIndex, int& row) {
    TZaroSimDevice& device = DeviceAt(FCanvas, deviceIndex);
    TDCCoefArray coef;
    TDCRhsArray rhs;
    device.BuildDCDeviceEquation(coef, rhs);
    Accumulate(device, coef, rhs, FState.DCMatrix, FState.DCRhs, FState.SystemSize, row);
}

void TCircuitEquations::SolveDCLinear() {
    CheckUserBreak();
    std::fill(FState.DCRhs.begin(), FState.DCRhs.end(), 0.0);
    std::fill(FState.DCMatrix.begin(), FState.DCMatrix.end(), 0.0);
    int row = 0;
    for (int i = 0; i < FCanvas.DragPanelCount(); ++i) {
        AssembleDCDevice(i, row);
    }
    SolveRealLinear(FState.DCMatrix, FState.DCRhs, FState.SystemSize);
    StoreWireResults(FState, FState.DCRhs);
}

void TCircuitEquations::AssembleACDevice(int deviceIndex, int& row) {
    CheckUserBreak();
    TZaroSimDevice& device = DeviceAt(FCanvas, deviceIndex);
    TACCoefArray coef;
    TACRhsArray rhs;
    device.BuildACDeviceEquation(coef, rhs);
    Accumulate(device, coef, rhs, FState.ACMatrix, FState.ACRhs, FState.SystemSize, row);
}

void TCircuitEquations::SolveACLinear() {
    ResizeWireArrays(FCanvas.ConnectorCount());
    const auto n = static_cast<std::size_t>(FState.SystemSize);
    FState.ACRhs.assign(n, MakeComplex(0.0, 0.0));
    FState.ACMatrix.assign(n * n, MakeComplex(0.0, 0.0));
    int row = 0;
    for (int i = 0; i < FCanvas.DragPanelCount(); ++i) {
        AssembleACDevice(i, row);
    }
    SolveComplexLinear(FState.ACMatrix, FState.ACRhs, FState.SystemSize);
    StoreWireResults(FState, FState.ACRhs);
}

void TCircuitEquations::DistributeResults() {
    for (int i = 0; i < FCanvas.DragPanelCount(); ++i) {
        TZaroSimDevice& device = DeviceAt(FCanvas, i);
        TPortComplexArray potentials;
        TPortComplexArray currents;
        for (int j = 0; j < device.PortCount(); ++j) {
            const int wire = device.PortConnectorNo(j);
            potentials[j] = WireVoltageAt(FState, wire);
            currents[j] = WireCurrentAt(FState, wire);
        }
        device.ShowDeviceResult(potentials, currents);
    }
}

void TCircuitEquations::CheckUserBreak() {
    FPlatform.ProcessMessages();
    if (FProgress.UserBreak()) {
        throw EUserBreak();
    }
}

} // namespace zaro
