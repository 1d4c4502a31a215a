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
    bool CanUndo() const { return !Busy() && History.CanUndo(); }
    bool CanRedo() const { return !Busy() && History.CanRedo(); }
    // Every device's result display cleared and the results invalid.
    void ClearResults();

    // --- Texts of the left pane ----------------------------------------------
    const std::string& PropertyText() const { return FPropertyText; }
    void SetPropertyText(const std::string& text);
    // The variables pane: its lines, or all of them as one text joined by CR LF.
    const std::vector<std::string>& VariableLines() const { return MemoVariables; }
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
        return static_cast<T&>(AddDevice(std::make_unique<T>(TP1)));
    }

    // --- Analysis ------------------------------------------------------------
    void AtnSimulateDC();
    void AtnSimulateAC();
    void AtnSimulateDCNonLinear();
    void AtnSimulateACNonLinear();
    void AtnSimulateDCAdditional();
    void AtnSimulateACAdditional();

    // --- Result listing ------------------------------------------------------
    void ShowDeviceProperty() override;
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
    // The canvas's edits for undo and redo; cleared by New and Open.
    TEditHistory History;
    // Text of the frequency field of the tool bar.
    std::string EditFreq = "1000";
    TAnalysisState Analysis;
    TNonLinearRegistry Registry;
    std::vector<std::string> DebugLogLines;
    TFrmProgress Progress;

private:
    void ListenToCanvas();
    void PanelInserted(int index);
    void CanvasKeyDown(int key);
    void CanvasMouseDown(TShiftState shift);
    void CanvasEditCommitted(TCanvasEdit edit);
    void CommitEdit(TEditStep step);
    // Runs an analysis command and announces the variable F it writes.
    template <typename TCommand> void RunAnalysis(TCommand command);

    std::string FPropertyText;
    // What the gesture under way acts on, from BeginEdit.
    TEditSubject FEditSubject;
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
