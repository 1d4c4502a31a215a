#pragma once
// What is wrong with a circuit that could not be analysed: findings that each
// name the devices involved, worked out only after a failure. Each finding is
// complete in itself (device numbers with their class names, port captions),
// so it can be shown and highlighted without going back to the canvas.

#include "AnalysisState.h"
#include "CodingPanel.h"
#include "DeviceConnections.h"

#include <string>
#include <vector>

namespace zaro {

enum class TFindingKind {
    NoReference,       // no device fixes a reference potential at all
    UnwiredPort,       // ports without a wire
    ValueFault,        // the device's block cannot be built from its values
    ShortedDevice,     // every port of the device on one node
    VoltageLoop,       // a loop of voltage sources and shorts only
    CurrentSourceOpen, // current sources whose current has no way back
    FloatingPart,      // devices with no path to a reference
    LargeResidual,     // a non-linear device far from its characteristic
};

struct TDiagnosedDevice {
    int No = -1; // panel number
    std::string ClassName;

    bool operator==(const TDiagnosedDevice&) const = default;
};

struct TPortVoltage {
    std::string Port; // caption, or the port number where it has none
    double Volts = 0.0;
};

struct TFinding {
    TFindingKind Kind = TFindingKind::NoReference;
    std::vector<TDiagnosedDevice> Devices; // in panel order
    std::vector<std::string> Ports;        // UnwiredPort: the ports, as TPortVoltage::Port
    std::string Error;                     // ValueFault, LargeResidual: the error raised
    double Residual = 0.0;                 // LargeResidual
    std::vector<TPortVoltage> Voltages;    // LargeResidual: DC potential at each port
};

struct TCircuitDiagnosis {
    TAnalysisDomain Domain = TAnalysisDomain::DC;
    std::vector<TFinding> Findings;

    bool Empty() const { return Findings.empty(); }
    // Every device any finding names, in panel order, each once.
    std::vector<int> DeviceNumbers() const;
};

// A port's name in findings: its caption, or its number where it has none.
std::string PortName(const TDragPanel& panel, int port);

// After CheckCircuit refused the circuit: no device that fixes a reference,
// and every port without a wire.
TCircuitDiagnosis DiagnoseWiring(const TCodingPanel& canvas);

// What an analysis step was solving when it failed.
enum class TFailedStep {
    DCSolve,        // a linear DC solve
    ACSolve,        // an AC solve
    OperatingPoint, // the non-linear DC search
};

// The structural check in the step's domain; when it finds nothing wrong with
// a failed operating-point search, the devices with the largest residuals
// (at most ResidualsReported; worked out again after a math error).
inline constexpr int ResidualsReported = 3;
TCircuitDiagnosis DiagnoseFailedStep(const TCodingPanel& canvas, const TAnalysisState& state,
                                     TFailedStep step, bool mathError);

} // namespace zaro
