#pragma once
// The wire-based equation system of the circuit on the canvas: every wire
// carries a potential and a current, every device port adds one row in the
// quantities of the wires at its ports. Assembles and solves the system in
// DC and AC and hands the solution back to the devices.

#include "AnalysisErrors.h"
#include "AnalysisState.h"
#include "AssembledSystem.h"
#include "CodingPanel.h"
#include "NonLinearRegistry.h"
#include "Platform.h"
#include "SolverKind.h"
#include "SparseFactorisation.h"
#include "SystemSolver.h"

#include <memory>
#include <string>

namespace zaro {

template <typename T> class TSparseSystemSolver;

class TFrmProgress;

// Message A: no device that fixes the reference potential.
inline constexpr const char* MsgNoReference =
    "回路中に基準電位を決定するデバイスが接続されていません。適当な位置にGND(接地)やVoltage "
    "Level(定電位)デバイスを接続してください。";
// Message B: a port without a wire.
inline constexpr const char* MsgOpenPort =
    "回路に接続されていないポートが残っています。もし開放端にするならOpen(開放端)"
    "デバイスを接続してください。";

// A ground or a level: fixes the potential the others are measured against.
bool IsReferenceDevice(const TDragPanel& panel);

class TCircuitEquations {
public:
    TCircuitEquations(TCodingPanel& canvas, TPlatform& platform, TFrmProgress& progress,
                      TAnalysisState& state, TNonLinearRegistry& registry,
                      TSolverKind solverKind = DefaultSolverKind);
    ~TCircuitEquations();

    // Needs a ground or level device and every port wired; otherwise shows
    // message A or B and returns false.
    bool CheckCircuit();
    // Sizes the DC and wire arrays, lets every device update its values and
    // rebuilds the non-linear registry.
    void PrepareAnalysis();
    // Assembles the devices' DC blocks, solves, fills the wire arrays.
    // Uses the sizes of the last PrepareAnalysis.
    void SolveDCLinear();
    // Sizes its own arrays, assembles the AC blocks, solves, fills the wire arrays.
    void SolveACLinear();
    // Sizes the wire arrays and assembles the AC blocks into `system`, as
    // SolveACLinear does, without solving: for callers that solve elsewhere.
    void AssembleAC(TAssembledSystem<TComplex>& system);
    // Gives every device the potentials and unsigned currents at its ports.
    void DistributeResults();
    // Lets pending events run, then raises EUserBreak if Stop was pressed.
    void CheckUserBreak();

    TCodingPanel& Canvas() const { return FCanvas; }
    TPlatform& Platform() const { return FPlatform; }
    TFrmProgress& Progress() const { return FProgress; }
    TAnalysisState& State() const { return FState; }
    TNonLinearRegistry& Registry() const { return FRegistry; }

    // The solver of the next preparation and AC solve on.
    void SetSolverKind(TSolverKind kind);
    TSolverKind SolverKind() const { return FSolverKind; }

    // The DC system as the last SolveDCLinear assembled it, and its solution.
    const TAssembledSystem<double>& DCSystem() const { return FDCSystem; }
    const TAssembledSystem<TComplex>& ACSystem() const { return FACSystem; }
    const std::vector<double>& DCSolution() const { return *FDCSolution; }
    // The sparse factors of that system, when the sparse solver solved it.
    const TSparseFactorisation<double>* DCFactorisation() const;
    // Solves a DC system of the present order with the given solver and
    // stores its solution in the wire arrays.
    void SolveAndStore(const TAssembledSystem<double>& system, TSystemSolver<double>& solver);
    // Puts a DC solution (2 entries a wire) into the wire arrays.
    void StoreWireSolution(const std::vector<double>& solution);
    // The same for an AC solution.
    void StoreWireSolution(const std::vector<TComplex>& solution);
    // DC systems the sparse solver handed to the reference elimination since
    // the last preparation (0 for the reference solver).
    int DCHandOvers() const;
    // DC systems the sparse solver solved itself since the last preparation.
    int DCSparseSolves() const;
    // Whether the sparse solver leaves every DC system of this preparation
    // to the dense elimination (a circuit too small for it to pay, or one
    // that spans beyond a double's precision); false on the reference solver.
    bool DCLeftDense() const;
    // Whether every DC system of this preparation goes to the dense
    // elimination: on the reference solver, or left there by the sparse one.
    bool DCSolvedDense() const;
    // A solver of the present kind that works in the analysis state's dense
    // arrays when it needs them.
    std::unique_ptr<TSystemSolver<double>> MakeDCSolver();

private:
    void ResizeWireArrays(int wireCount);
    void CountNonLinearDevices(int& deviceCount, int& paramTotal);
    void RegisterNonLinearDevices();
    template <typename TKind> void Assemble(TAssembledSystem<typename TKind::TValue>& system);
    void ShowInformation(const std::string& text);

    TCodingPanel& FCanvas;
    TPlatform& FPlatform;
    TFrmProgress& FProgress;
    TAnalysisState& FState;
    TNonLinearRegistry& FRegistry;
    TSolverKind FSolverKind;
    TAssembledSystem<double> FDCSystem;
    TAssembledSystem<TComplex> FACSystem;
    std::unique_ptr<TSystemSolver<double>> FDCSolver;
    TSparseSystemSolver<double>* FSparseDCSolver = nullptr; // FDCSolver where it is the sparse one
    std::unique_ptr<TSystemSolver<TComplex>> FACSolver;
    const std::vector<double>* FDCSolution;
};

// The reference solver for the analyses while the scope lives; the solver
// chosen before comes back at its end.
class TReferenceSolverScope {
public:
    explicit TReferenceSolverScope(TCircuitEquations& equations)
        : Equations(equations), Saved(equations.SolverKind()) {
        Equations.SetSolverKind(TSolverKind::Reference);
    }
    ~TReferenceSolverScope() { Equations.SetSolverKind(Saved); }
    TReferenceSolverScope(const TReferenceSolverScope&) = delete;
    TReferenceSolverScope& operator=(const TReferenceSolverScope&) = delete;

private:
    TCircuitEquations& Equations;
    TSolverKind Saved;
};

} // namespace zaro
