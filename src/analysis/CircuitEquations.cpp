#include "CircuitEquations.h"

#include "CircuitDevice.h"
#include "ProgressDlg.h"
#include "Sources.h"
#include "SparsePathChoice.h"
#include "SparseSystemSolver.h"

#include <array>

namespace zaro {

bool IsReferenceDevice(const TDragPanel& panel) {
    return dynamic_cast<const TGnd*>(&panel) != nullptr ||
           dynamic_cast<const TLevel*>(&panel) != nullptr;
}

namespace {

bool HasUnwiredPort(const TDragPanel& panel) {
    for (int j = 0; j < panel.PortCount(); ++j) {
        if (panel.PortConnectorNo(j) == -1) {
            return true;
        }
    }
    return false;
}

TComplex AsComplex(double x) {
    return MakeComplex(x, 0.0);
}
TComplex AsComplex(const TComplex& z) {
    return z;
}

// Solution entries 2w and 2w + 1 are the potential and current of wire w.
template <typename T> void StoreWireResults(TAnalysisState& state, const std::vector<T>& solution) {
    for (int w = 0; w < state.WireCount; ++w) {
        const auto wire = static_cast<std::size_t>(w);
        CheckIndex(w, static_cast<long long>(state.WireVoltages.size()));
        CheckIndex(w, static_cast<long long>(state.WireCurrents.size()));
        CheckIndex(2LL * w + 1, static_cast<long long>(solution.size()));
        state.WireVoltages[wire] = AsComplex(solution[2 * wire]);
        state.WireCurrents[wire] = AsComplex(solution[2 * wire + 1]);
    }
}

// What differs between the DC and the AC system: the value type and the
// device operation that writes a block. The AC assembly lets pending events
// run before every device.
struct TDCKind {
    using TValue = double;
    static void Build(TCircuitEquations&, TZaroSimDevice& device, TDCCoefArray& coef,
                      TDCRhsArray& rhs) {
        device.BuildDCDeviceEquation(coef, rhs);
    }
};

struct TACKind {
    using TValue = TComplex;
    static void Build(TCircuitEquations& equations, TZaroSimDevice& device, TACCoefArray& coef,
                      TACRhsArray& rhs) {
        equations.CheckUserBreak();
        device.BuildACDeviceEquation(coef, rhs);
    }
};

const std::vector<double> NoSolution;

} // namespace

TCircuitEquations::TCircuitEquations(TCodingPanel& canvas, TPlatform& platform,
                                     TFrmProgress& progress, TAnalysisState& state,
                                     TNonLinearRegistry& registry, TSolverKind solverKind)
    : FCanvas(canvas), FPlatform(platform), FProgress(progress), FState(state), FRegistry(registry),
      FSolverKind(solverKind), FDCSolution(&NoSolution) {
    SetSolverKind(solverKind);
}

TCircuitEquations::~TCircuitEquations() = default;

void TCircuitEquations::SetSolverKind(TSolverKind kind) {
    FSolverKind = kind;
    FDCSolver = MakeDCSolver();
    FSparseDCSolver = dynamic_cast<TSparseSystemSolver<double>*>(FDCSolver.get());
    FACSolver = MakeSystemSolver<TComplex>(kind, {FState.ACMatrix, FState.ACRhs});
    FDCSolution = &NoSolution;
}

std::unique_ptr<TSystemSolver<double>> TCircuitEquations::MakeDCSolver() {
    return MakeSystemSolver<double>(FSolverKind, {FState.DCMatrix, FState.DCRhs});
}

const TSparseFactorisation<double>* TCircuitEquations::DCFactorisation() const {
    return FSparseDCSolver != nullptr ? FSparseDCSolver->Factorisation() : nullptr;
}

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
    // The dense arrays belong to the reference elimination; the sparse solver
    // sizes them only for a system it hands over.
    const auto n = static_cast<std::size_t>(FState.SystemSize);
    if (FSolverKind == TSolverKind::Reference) {
        FState.DCRhs.resize(n);
        FState.DCMatrix.resize(n * n);
    }
    FDCSolver->Reset();
    FDCSolution = &NoSolution;

    int deviceCount = 0;
    int paramTotal = 0;
    CountNonLinearDevices(deviceCount, paramTotal);
    if (FSparseDCSolver != nullptr) {
        const int order = FState.SystemSize;
        FSparseDCSolver->SetDirectOrder(SparsePathPays(paramTotal, order) ? 0 : order);
    }
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

template <typename TKind>
void TCircuitEquations::Assemble(TAssembledSystem<typename TKind::TValue>& system) {
    using T = typename TKind::TValue;
    system.Begin(FState.SystemSize);
    for (int i = 0; i < FCanvas.DragPanelCount(); ++i) {
        TZaroSimDevice& device = DeviceAt(FCanvas, i);
        typename TAssembledSystem<T>::TCoef coef;
        typename TAssembledSystem<T>::TRhs rhs;
        TKind::Build(*this, device, coef, rhs);
        system.AddBlock(device, coef, rhs);
    }
    system.End();
}

void TCircuitEquations::SolveDCLinear() {
    CheckUserBreak();
    Assemble<TDCKind>(FDCSystem);
    SolveAndStore(FDCSystem, *FDCSolver);
}

void TCircuitEquations::SolveAndStore(const TAssembledSystem<double>& system,
                                      TSystemSolver<double>& solver) {
    const std::vector<double>& solution = solver.Solve(system);
    StoreWireResults(FState, solution);
    FDCSolution = &solution;
}

void TCircuitEquations::StoreWireSolution(const std::vector<double>& solution) {
    StoreWireResults(FState, solution);
}

void TCircuitEquations::StoreWireSolution(const std::vector<TComplex>& solution) {
    StoreWireResults(FState, solution);
}

int TCircuitEquations::DCHandOvers() const {
    return FSparseDCSolver != nullptr ? FSparseDCSolver->HandedOver() : 0;
}

int TCircuitEquations::DCSparseSolves() const {
    return FSparseDCSolver != nullptr ? FSparseDCSolver->SolvedHere() : 0;
}

bool TCircuitEquations::DCLeftDense() const {
    return FSparseDCSolver != nullptr && FSparseDCSolver->DirectOrder() >= FState.SystemSize;
}

bool TCircuitEquations::DCSolvedDense() const {
    return FSparseDCSolver == nullptr || DCLeftDense();
}

void TCircuitEquations::SolveACLinear() {
    ResizeWireArrays(FCanvas.ConnectorCount());
    FACSolver->Reset();
    Assemble<TACKind>(FACSystem);
    StoreWireResults(FState, FACSolver->Solve(FACSystem));
}

void TCircuitEquations::AssembleAC(TAssembledSystem<TComplex>& system) {
    ResizeWireArrays(FCanvas.ConnectorCount());
    Assemble<TACKind>(system);
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
