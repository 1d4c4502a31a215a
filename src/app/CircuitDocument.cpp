#include "CircuitDocument.h"

#include "ClipboardCommands.h"
#include "DeviceProperty.h"
#include "DiagnosisText.h"
#include "EditStepNames.h"
#include "VariablesText.h"

namespace zaro {

namespace {

constexpr int DeleteKey = 46;

} // namespace

TCircuitDocument::TCircuitDocument(TPlatform& platform, TProgressView& progressView)
    : FPlatform(platform), FCanvas(platform), FHistory(FCanvas, FTP1),
      FProgress(platform, &progressView), Status(platform, FCanvas, FAnalysis),
      Equations(FCanvas, platform, FProgress, FAnalysis, FRegistry), NonLinear(Equations),
      Commands(Equations, NonLinear, *this) {
    FTP1.SetVariables(&FMemoVariables);
    ListenToCanvas();
    // The document lives as long as its canvas and its state: the links need no handles.
    FAnalysis.ResultsChanged.Connect([this] { ResultsChanged.Emit(); });
    EditCommitted.Connect([this] { EndDiagnosis(); });
    FCanvas.PanelInserted.Connect([this](int) { EndDiagnosis(); });
    FCanvas.PanelAboutToBeRemoved.Connect([this](int) { EndDiagnosis(); });
    FCanvas.WireAdded.Connect([this](int) { EndDiagnosis(); });
    FCanvas.WireRemoved.Connect([this](int) { EndDiagnosis(); });
    // An undo or redo may change values in place, with no edit announced.
    FHistory.Changed.Connect([this] { EndDiagnosis(); });
}

// --- Document state -------------------------------------------------------------------

void TCircuitDocument::SetFileName(const std::string& fileName) {
    if (Status.SetFileName(fileName)) {
        FileNameChanged.Emit();
    }
}

// Unmodified means as saved, which is where undo finds the saved state again.
void TCircuitDocument::SetModified(bool flag) {
    if (!flag) {
        FHistory.MarkClean();
    }
    if (Status.SetModified(flag)) {
        ModifiedChanged.Emit();
    }
}

void TCircuitDocument::MarkDrawingModified() {
    if (Status.MarkDrawingModified()) {
        ModifiedChanged.Emit();
    }
}

void TCircuitDocument::UpdateStatus() {
    const bool wasBusy = Status.Busy();
    Status.UpdateStatus();
    if (wasBusy) {
        BusyChanged.Emit();
    }
}

void TCircuitDocument::BeginBusy() {
    const bool wasBusy = Status.Busy();
    Status.BeginBusy();
    if (!wasBusy) {
        BusyChanged.Emit();
    }
}

// --- Edits ----------------------------------------------------------------------------

void TCircuitDocument::BeginEdit(TEditSubject subject) {
    FEditSubject = subject;
    FHistory.Begin();
}

void TCircuitDocument::CommitCircuitEdit(std::string stepName) {
    CommitEdit({std::move(stepName), true, nullptr});
}

void TCircuitDocument::CommitDrawingEdit(std::string stepName) {
    CommitEdit({std::move(stepName), false, nullptr});
}

// The history takes the edit before the results are cleared: clearing them
// is no part of the edit, and undoing it clears them again. An edit that
// brought the model back to the saved one (a value typed back as it was)
// leaves the document unmodified.
void TCircuitDocument::CommitEdit(TEditStep step) {
    const bool circuit = step.ChangesCircuit;
    if (step.Name.empty()) {
        step.Name = "編集";
    }
    FHistory.Commit(std::move(step));
    FEditSubject = {};
    if (circuit) {
        SetModified(true);
        FAnalysis.SetResultsValid(false);
    } else {
        MarkDrawingModified();
    }
    if (FHistory.AtCleanPoint()) {
        SetModified(false);
    }
    UpdateStatus();
    EditCommitted.Emit();
}

void TCircuitDocument::ClearResults() {
    Status.ClearDeviceResults();
    FAnalysis.SetResultsValid(false);
}

// --- Texts of the left pane -----------------------------------------------------------

void TCircuitDocument::SetPropertyText(const std::string& text) {
    if (text != FMemoProperty) {
        FMemoProperty = text;
        PropertyTextChanged.Emit();
    }
}

void TCircuitDocument::SetVariableLines(std::vector<std::string> lines) {
    if (lines != FMemoVariables) {
        FMemoVariables = std::move(lines);
        VariablesTextChanged.Emit();
    }
}

std::string TCircuitDocument::VariablesText() const {
    return JoinVariableLines(FMemoVariables);
}

void TCircuitDocument::SetVariablesText(const std::string& text) {
    SetVariableLines(SplitVariablesText(text));
}

// --- Devices --------------------------------------------------------------------------

TZaroSimDevice& TCircuitDocument::AddDevice(std::unique_ptr<TZaroSimDevice> device) {
    TZaroSimDevice& added = *device;
    FCanvas.AddDragPanel(std::move(device));
    return added;
}

// --- The canvas's events --------------------------------------------------------------

void TCircuitDocument::ListenToCanvas() {
    FCanvas.PanelInserted.Connect([this](int index) { PanelInserted(index); });
    FCanvas.OnKeyDown.Connect([this](int key, TShiftState) { CanvasKeyDown(key); });
    FCanvas.OnClick.Connect([this] { SetPropertyText(NoDeviceSelected); });
    FCanvas.OnMouseDown.Connect(
        [this](TMouseButton, TShiftState shift, int, int) { CanvasMouseDown(shift); });
    FCanvas.EditStarting.Connect([this](TEditSubject subject) { BeginEdit(subject); });
    FCanvas.EditCommitted.Connect([this](TCanvasEdit edit) { CanvasEditCommitted(edit); });
}

// The panel's signal goes with the panel, so the link needs no handle.
void TCircuitDocument::PanelInserted(int index) {
    FCanvas.DragPanel(index).OnClick.Connect([this](TDragPanel&) { ShowDeviceProperty(); });
}

void TCircuitDocument::CanvasKeyDown(int key) {
    if (key == DeleteKey) {
        AtnEditDelete(*this);
    }
}

// The press that deletes a wire under it marks the document modified even
// where it found none.
void TCircuitDocument::CanvasMouseDown(TShiftState shift) {
    if (IsWireDeletion(shift)) {
        SetModified(true);
        UpdateStatus();
    }
}

// Successive edits of one value box are one step.
void TCircuitDocument::CanvasEditCommitted(TCanvasEdit edit) {
    CommitEdit({CanvasEditStepName(edit, FEditSubject.Panel), ChangesCircuit(edit),
                edit == TCanvasEdit::ValueEdited ? FEditSubject.Box : nullptr});
}

// --- Analysis -------------------------------------------------------------------------

void TCircuitDocument::RunAnalysis(void (TAnalysisCommands::*command)()) {
    const std::vector<std::string> before = FMemoVariables;
    const auto announce = [&] {
        if (FMemoVariables != before) {
            VariablesTextChanged.Emit();
        }
    };
    try {
        (Commands.*command)();
    } catch (...) {
        announce();
        throw;
    }
    announce();
}

// --- Result listing -------------------------------------------------------------------

void TCircuitDocument::ShowDeviceProperty() {
    SetPropertyText(DevicePropertyText(FCanvas, FAnalysis) +
                    DiagnosisPropertyText(FDiagnosed.Diagnosis()));
}

// An edit, or any change of the devices and wires (a file opened, a paste),
// ends the diagnosis of the last failed analysis, on the canvas and in the
// property text. The canvas may be in the middle of a change: only the
// text is touched, not the devices.
void TCircuitDocument::EndDiagnosis() {
    if (FDiagnosed.Diagnosis().Empty()) {
        return;
    }
    const std::string sentences = DiagnosisPropertyText(FDiagnosed.Diagnosis());
    FDiagnosed.Clear();
    const std::string& text = PropertyText();
    if (text.size() >= sentences.size() &&
        text.compare(text.size() - sentences.size(), sentences.size(), sentences) == 0) {
        SetPropertyText(text.substr(0, text.size() - sentences.size()));
    }
}

void TCircuitDocument::MoreAnalyze1Click() {
    zaro::MoreAnalyze1Click(FCanvas, FPlatform);
}

void TCircuitDocument::DebugLogCopy1Click() {
    zaro::DebugLogCopy1Click(FDebugLogLines, FPlatform);
}

} // namespace zaro
