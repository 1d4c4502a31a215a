#pragma once
// A circuit on a canvas with everything the analysis engine works with, the
// way the document puts it together, plus helpers to place and wire devices.
// Tests use it through TAnalysisFixture; tools that run circuits outside a
// test use it directly (ZaroMath must then be bound by the tool).

#include "AnalysisCommands.h"
#include "CircuitBuilder.h"
#include "DeviceProperty.h"
#include "FakePlatform.h"
#include "FakeProgressView.h"
#include "ProgressDlg.h"
#include "TinyParser.h"
#include "ZaroSimDevices.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace zaro::test {

// The document side of the commands, recording what they asked for.
class TRecordingHost : public TAnalysisHost {
public:
    TRecordingHost(const TCodingPanel& canvas, const TAnalysisState& state)
        : Canvas(canvas), State(state) {}

    void BeginBusy() override { Calls.push_back("BeginBusy"); }
    void UpdateStatus() override { Calls.push_back("UpdateStatus"); }
    void ShowDeviceProperty() override {
        Calls.push_back("ShowDeviceProperty");
        PropertyText = DevicePropertyText(Canvas, State);
    }
    void SetDiagnosis(const TCircuitDiagnosis& diagnosis) override { Diagnosis = diagnosis; }
    std::string FrequencyText() const override { return Frequency; }
    std::vector<std::string>& Variables() override { return VariableLines; }
    std::vector<std::string>& DebugLog() override { return DebugLogLines; }

    std::vector<std::string> Calls;
    std::string Frequency = "1000";
    std::vector<std::string> VariableLines;
    std::vector<std::string> DebugLogLines;
    std::string PropertyText;
    TCircuitDiagnosis Diagnosis;

private:
    const TCodingPanel& Canvas;
    const TAnalysisState& State;
};

class TCircuitBench {
public:
    TCircuitBench() { TP1.SetVariables(&Host.VariableLines); }
    TCircuitBench(const TCircuitBench&) = delete;
    TCircuitBench& operator=(const TCircuitBench&) = delete;

    // The circuit builder's steps, on this canvas.
    template <typename T> T& Add(const std::string& valueText = "") {
        return Builder.Add<T>(valueText);
    }
    void Wire(const TDragPanel& from, int fromPort, const TDragPanel& to, int toPort) {
        Builder.Wire(from, fromPort, to, toPort);
    }
    void Chain(std::initializer_list<const TDragPanel*> devices) { Builder.Chain(devices); }
    // The potential of the wire at a port, and the current into the device there.
    TComplex V(const TZaroSimDevice& device, int port) const {
        return WireVoltageAt(State, device.PortConnectorNo(port));
    }
    TComplex IInto(const TZaroSimDevice& device, int port) const {
        const TComplex i = WireCurrentAt(State, device.PortConnectorNo(port));
        const double s = device.PortCurrentSign(port);
        return {i.re * s, i.im * s};
    }
    // Presses Stop at the n-th event processing from now (1 = the next one).
    void StopAtProcessMessages(int n) {
        const int at = Platform.ProcessMessagesCount + n;
        Platform.OnProcessMessages = [this, at] {
            if (Platform.ProcessMessagesCount == at) {
                Progress.Stop();
            }
        };
    }

    TFakePlatform Platform;
    TFakeProgressView View;
    TTinyParser TP1;
    TCodingPanel Canvas{Platform};
    TCircuitBuilder Builder{Canvas, TP1};
    TAnalysisState State;
    TNonLinearRegistry Registry;
    TFrmProgress Progress{Platform, &View};
    TCircuitEquations Equations{Canvas, Platform, Progress, State, Registry};
    TNonLinearAnalysis NonLinear{Equations};
    TRecordingHost Host{Canvas, State};
    TAnalysisCommands Commands{Equations, NonLinear, Host};
};

} // namespace zaro::test
