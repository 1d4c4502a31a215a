#pragma once
// The wire-based equation system of the circuit on the canvas: every wire
// carries a potential and a current, every device port adds one row in the
// quantities of the wires at its ports. Assembles and solves the system in
// DC and AC and hands the solution back to the devices.

#include "AnalysisErrors.h"
#include "AnalysisState.h"
#include "CodingPanel.h"
#include "NonLinearRegistry.h"
#include "Platform.h"

#include <string>

namespace zaro {

class TFrmProgress;

// Message A: no device that fixes the reference potential.
inline constexpr const char* MsgNoReference =
    "回路中に基準電位を決定するデバイスが接続されていません。適当な位置にGND(接地)やVoltage "
    "Level(定電位)デバイスを接続してください。";
// Message B: a port without a wire.
inline constexpr const char* MsgOpenPort =
    "回路に接続されていないポートが残っています。もし開放端にするならOpen(開放端)"
    "デバイスを接続してください。";
class TCircuitEquations {
public:
    TCircuitEquations(TCodingPanel& canvas, TPlatform& platform, TFrmProgress& progress,
                      TAnalysisState& state, TNonLinearRegistry& registry);

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
    // Gives every device the potentials and unsigned currents at its ports.
    void DistributeResults();
    // Lets pending events run, then raises EUserBreak if Stop was pressed.
    void CheckUserBreak();

    TCodingPanel& Canvas() const { return FCanvas; }
    TPlatform& Platform() const { return FPlatform; }
    TFrmProgress& Progress() const { return FProgress; }
    TAnalysisState& State() const { return FState; }
    TNonLinearRegistry& Registry() const { return FRegistry; }

private:
    void ResizeWireArrays(int wireCount);
    void CountNonLinearDevices(int& deviceCount, int& paramTotal);
    void RegisterNonLinearDevices();
    void AssembleDCDevice(int deviceIndex, int& row);
    void AssembleACDevice(int deviceIndex, int& row);
    void ShowInformation(const std::string& text);

    TCodingPanel& FCanvas;
    TPlatform& FPlatform;
    TFrmProgress& FProgress;
    TAnalysisState& FState;
    TNonLinearRegistry& FRegistry;
};

} // namespace zaro
