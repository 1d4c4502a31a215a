#pragma once
// The document: one circuit on one canvas with its file name and modified
// flag, the user's variables with the evaluator that reads them, the analysis
// state and the six analysis commands, the non-linear registry, the progress
// dialog's state and the debug log. Everything the window shows is kept here
// or reported through the platform.

#include "AnalysisCommands.h"
#include "AnalysisHost.h"
#include "AnalysisState.h"
#include "CircuitEquations.h"
#include "CodingPanel.h"
#include "DiagnosedDevices.h"
#include "DocumentStatus.h"
#include "NonLinearAnalysis.h"
#include "NonLinearRegistry.h"
#include "Platform.h"
#include "ProgressDlg.h"
#include "ProgressView.h"
#include "TinyParser.h"
#include "ZaroSimDevices.h"

#include <memory>
#include <string>
#include <vector>

namespace zaro {

class TCircuitDocument : public TAnalysisHost {
public:
    TCircuitDocument(TPlatform& platform, TProgressView& progressView);
    TCircuitDocument(const TCircuitDocument&) = delete;
    TCircuitDocument& operator=(const TCircuitDocument&) = delete;

    // --- Document state ------------------------------------------------------
    const std::string& FileName() const { return Status.FileName; }
    void SetFileName(const std::string& fileName) { Status.FileName = fileName; }
    bool Modified() const { return Status.Modified; }
    // An edit also ends the diagnosis of the last failed analysis.
    void SetModified(bool flag);
    void UpdateStatus() override { Status.UpdateStatus(); }
    void BeginBusy() override { Status.BeginBusy(); }

    // --- Devices -------------------------------------------------------------
    // Puts the device on the canvas (it gets the next number) and makes a
    // click on it show its properties.
    TZaroSimDevice& AddDevice(std::unique_ptr<TZaroSimDevice> device);
    // A new device of class T evaluating through this document's TP1.
    template <typename T> T& AddDevice() {
        return static_cast<T&>(AddDevice(std::make_unique<T>(TP1)));
    }

    // --- Analysis ------------------------------------------------------------
    void AtnSimulateDC() { Commands.AtnSimulateDC(); }
    void AtnSimulateAC() { Commands.AtnSimulateAC(); }
    void AtnSimulateDCNonLinear() { Commands.AtnSimulateDCNonLinear(); }
    void AtnSimulateACNonLinear() { Commands.AtnSimulateACNonLinear(); }
    void AtnSimulateDCAdditional() { Commands.AtnSimulateDCAdditional(); }
    void AtnSimulateACAdditional() { Commands.AtnSimulateACAdditional(); }

    // --- Result listing ------------------------------------------------------
    // The selected device's properties, then the diagnosis sentences if any.
    void ShowDeviceProperty() override;
    void SetDiagnosis(const TCircuitDiagnosis& diagnosis) override { Diagnosed.Set(diagnosis); }
    void MoreAnalyze1Click();
    void DebugLogCopy1Click();

    // --- What the analysis commands read from the document ---------------------
    std::string FrequencyText() const override { return EditFreq; }
    std::vector<std::string>& Variables() override { return MemoVariables; }
    std::vector<std::string>& DebugLog() override { return DebugLogLines; }

    TPlatform& Platform;
    // Lines NAME=VALUE of the variables pane; TP1 reads and writes them.
    std::vector<std::string> MemoVariables;
    TTinyParser TP1;
    TCodingPanel Canvas;
    // Text of the frequency field of the tool bar.
    std::string EditFreq = "1000";
    // Text of the property page.
    std::string MemoProperty;
    TAnalysisState Analysis;
    TNonLinearRegistry Registry;
    std::vector<std::string> DebugLogLines;
    TFrmProgress Progress;
    // What the last failed analysis found wrong, until the next edit or analysis.
    TDiagnosedDevices Diagnosed;

private:
    TDocumentStatus Status;
    TCircuitEquations Equations;
    TNonLinearAnalysis NonLinear;
    TAnalysisCommands Commands;

public:
    // The engine parts, for callers that drive single steps (tools, benchmarks).
    TCircuitEquations& Engine() { return Equations; }
    TNonLinearAnalysis& NonLinearEngine() { return NonLinear; }
};

} // namespace zaro
