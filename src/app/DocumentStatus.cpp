#include "DocumentStatus.h"

#include "ZaroSimDevices.h"

#include <array>

namespace zaro {

std::string AnalysisKindText(TAnalysisKind analysisKind) {
    // In the order of the kinds.
    static const std::array<const char*, 4> texts = {"DC線形", "DC解析", "AC線形", "AC解析"};
    const auto i = static_cast<std::size_t>(analysisKind);
    return i < texts.size() ? texts[i] : "";
}

std::string DocumentTitle(const std::string& fileName) {
    if (fileName.empty()) {
        return "Untitled - ZaroSim";
    }
    const std::size_t slash = fileName.find_last_of('/');
    const std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    return name + " - ZaroSim";
}

TDocumentStatus::TDocumentStatus(TPlatform& platform, TCodingPanel& canvas,
                                 TAnalysisState& analysis)
    : Platform(platform), Canvas(canvas), Analysis(analysis) {}

bool TDocumentStatus::SetFileName(const std::string& fileName) {
    if (fileName == FFileName) {
        return false;
    }
    FFileName = fileName;
    return true;
}

bool TDocumentStatus::SetModified(bool flag) {
    const bool before = Modified();
    if (flag == FCircuitModified && (flag || !FDrawingModified)) {
        return false;
    }
    if (flag) {
        ClearDeviceResults();
    }
    FCircuitModified = flag;
    if (flag) {
        Analysis.SetResultsValid(false);
    } else {
        FDrawingModified = false;
    }
    return Modified() != before;
}

void TDocumentStatus::ClearDeviceResults() {
    for (int i = 0; i < Canvas.DragPanelCount(); ++i) {
        if (auto* device = dynamic_cast<TZaroSimDevice*>(&Canvas.DragPanel(i))) {
            device->ClearDeviceResult();
        }
    }
}

bool TDocumentStatus::MarkDrawingModified() {
    const bool before = Modified();
    FDrawingModified = true;
    return Modified() != before;
}

void TDocumentStatus::UpdateStatus() {
    SetBusy(false);
    Platform.SetCommandsEnabled(true);
    Platform.SetTitle(DocumentTitle(FFileName));
    Platform.SetStatusText(0, Modified() ? StatusModified : "");
    Platform.SetStatusText(1,
                           Analysis.ResultsValid() ? AnalysisKindText(Analysis.AnalysisKind) : "");
    Platform.SetStatusText(2, "");
}

void TDocumentStatus::BeginBusy() {
    SetBusy(true);
    Platform.SetCommandsEnabled(false);
    Platform.SetStatusText(1, StatusBusy);
    Platform.RepaintWindow();
}

void TDocumentStatus::SetBusy(bool busy) {
    FBusy = busy;
    Canvas.SetEditsLocked(busy);
}

} // namespace zaro
