#pragma once
// The document: one circuit on one canvas with its file name and modified
// flag, the user's variables with the evaluator that reads them, the analysis
// state and the six analysis commands, the non-linear registry, the progress
// dialog's state and the debug log. Everything the window shows is kept here
// or reported through the platform, and every change of it is announced.
// The document also handles the canvas's own events: the Delete key, a click
// on the empty canvas, the wire-deletion press and every committed edit,
// which it keeps in its edit history for undo and redo.

#include "AnalysisCommands.h"
#include "AnalysisHost.h"
#include "AnalysisState.h"
#include "CircuitEquations.h"
#include "CodingPanel.h"
#include "DiagnosedDevices.h"
#include "DocumentStatus.h"
#include "EditHistory.h"
#include "NonLinearAnalysis.h"
#include "NonLinearRegistry.h"
#include "Platform.h"
#include "ProgressDlg.h"
#include "ProgressView.h"
#include "Signal.h"
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
    const std::string& FileName() const { return Status.FileName(); }
    void SetFileName(const std::string& fileName);
    // Unsaved changes: of the circuit, or of the drawing only.
    bool Modified() const { return Status.Modified(); }
    void SetModified(bool flag);
    // Unsaved changes of the drawing only; the results on show stay valid.
    void MarkDrawingModified();
    bool Busy() const { return Status.Busy(); }
    void UpdateStatus() override;
    void BeginBusy() override;

    // --- Edits ---------------------------------------------------------------
    // A user's edit is about to change the canvas: the history takes it as it
    // is. The canvas's gestures call it through EditStarting.
    void BeginEdit(TEditSubject subject = {});
    // A user's edit changed the circuit: kept in the history as the step
    // named, modified, results invalid, title and status refreshed,
    // EditCommitted raised.
    void CommitCircuitEdit(std::string stepName = "");
    // A user's edit changed only the drawing: kept in the history, marked as
    // needing a save, title and status refreshed, EditCommitted raised.
    void CommitDrawingEdit(std::string stepName = "");
    // Not while an analysis runs.
    bool CanUndo() const { return !Busy() && FHistory.CanUndo(); }
    bool CanRedo() const { return !Busy() && FHistory.CanRedo(); }
    // Every device's result display cleared and the results invalid.
    void ClearResults();

    // --- Texts of the left pane ----------------------------------------------
    const std::string& PropertyText() const { return FMemoProperty; }
    void SetPropertyText(const std::string& text);
    // The variables pane: its lines, or all of them as one text joined by CR LF.
    const std::vector<std::string>& VariableLines() const { return FMemoVariables; }
    void SetVariableLines(std::vector<std::string> lines);
    std::string VariablesText() const;
    void SetVariablesText(const std::string& text);

    // --- Notifications: listeners read the new state from the document.
    TSignal<> ModifiedChanged;
    TSignal<> FileNameChanged;
    TSignal<> PropertyTextChanged;
    TSignal<> VariablesTextChanged;
    // New results on show, or none any more (see ResultsValid).
    TSignal<> ResultsChanged;
    // Busy began or ended.
    TSignal<> BusyChanged;
    // One per user edit of the model, once it is complete: a canvas gesture,
    // a committed value or note edit, a placement, paste, cut or delete.
    TSignal<> EditCommitted;

    // --- Devices -------------------------------------------------------------
    // Puts the device on the canvas (it gets the next number). A click on any
    // device of the canvas shows its properties.
    TZaroSimDevice& AddDevice(std::unique_ptr<TZaroSimDevice> device);
    // A new device of class T evaluating through this document's TP1.
    template <typename T> T& AddDevice() {
        return static_cast<T&>(AddDevice(std::make_unique<T>(FTP1)));
    }

    // --- Analysis: the commands, announcing the variable F they write --------
    void AtnSimulateDC() { RunAnalysis(&TAnalysisCommands::AtnSimulateDC); }
    void AtnSimulateAC() { RunAnalysis(&TAnalysisCommands::AtnSimulateAC); }
    void AtnSimulateDCNonLinear() { RunAnalysis(&TAnalysisCommands::AtnSimulateDCNonLinear); }
    void AtnSimulateACNonLinear() { RunAnalysis(&TAnalysisCommands::AtnSimulateACNonLinear); }
    void AtnSimulateDCAdditional() { RunAnalysis(&TAnalysisCommands::AtnSimulateDCAdditional); }
    void AtnSimulateACAdditional() { RunAnalysis(&TAnalysisCommands::AtnSimulateACAdditional); }
    // The linear solver of the analyses: the sparse one unless the user asks
    // for the reference elimination. A setting of the open document, not
    // saved in the model file.
    void SetSolverKind(TSolverKind kind) { Equations.SetSolverKind(kind); }
    TSolverKind SolverKind() const { return Equations.SolverKind(); }

    // --- Result listing ------------------------------------------------------
    // The selected device's properties, then the diagnosis sentences if any.
    void ShowDeviceProperty() override;
    void SetDiagnosis(const TCircuitDiagnosis& diagnosis) override { FDiagnosed.Set(diagnosis); }
    void MoreAnalyze1Click();
    void DebugLogCopy1Click();

    // --- The document's parts ------------------------------------------------
    TPlatform& Platform() const { return FPlatform; }
    // The evaluator of every device value; it reads and writes the variables.
    TTinyParser& TP1() { return FTP1; }
    TCodingPanel& Canvas() { return FCanvas; }
    const TCodingPanel& Canvas() const { return FCanvas; }
    // The canvas's edits for undo and redo; cleared by New and Open.
    TEditHistory& History() { return FHistory; }
    const TEditHistory& History() const { return FHistory; }
    TAnalysisState& Analysis() { return FAnalysis; }
    const TAnalysisState& Analysis() const { return FAnalysis; }
    const TNonLinearRegistry& Registry() const { return FRegistry; }
    // The assembled systems of the last analysis, for callers that compare solvers.
    const TCircuitEquations& Engine() const { return Equations; }
    TFrmProgress& Progress() { return FProgress; }
    const std::vector<std::string>& DebugLogLines() const { return FDebugLogLines; }
    // Text of the frequency field of the tool bar, read by the AC analyses.
    std::string FrequencyText() const override { return FEditFreq; }
    void SetFrequencyText(const std::string& text) { FEditFreq = text; }
    // What the last failed analysis found wrong, until the next edit or
    // analysis: the devices the canvas highlights.
    const TDiagnosedDevices& Diagnosed() const { return FDiagnosed; }
    TDiagnosedDevices& Diagnosed() { return FDiagnosed; }

private:
    // What only the analysis commands change, through their host.
    std::vector<std::string>& Variables() override { return FMemoVariables; }
    std::vector<std::string>& DebugLog() override { return FDebugLogLines; }

    void ListenToCanvas();
    void PanelInserted(int index);
    void CanvasKeyDown(int key);
    void CanvasMouseDown(TShiftState shift);
    void CanvasEditCommitted(TCanvasEdit edit);
    void CommitEdit(TEditStep step);
    void RunAnalysis(void (TAnalysisCommands::*command)());
    void EndDiagnosis();

    TPlatform& FPlatform;
    // Lines NAME=VALUE of the variables pane.
    std::vector<std::string> FMemoVariables;
    TTinyParser FTP1;
    TCodingPanel FCanvas;
    TEditHistory FHistory;
    std::string FEditFreq = "1000";
    TAnalysisState FAnalysis;
    TNonLinearRegistry FRegistry;
    std::vector<std::string> FDebugLogLines;
    TFrmProgress FProgress;
    TDiagnosedDevices FDiagnosed;
    std::string FMemoProperty;
    // What the gesture under way acts on, from BeginEdit.
    TEditSubject FEditSubject;
    TDocumentStatus Status;
    TCircuitEquations Equations;
    TNonLinearAnalysis NonLinear;
    TAnalysisCommands Commands;
};

} // namespace zaro
