#include "DocumentStatus.h"

#include "ZaroSimDevices.h"

#include <array>

namespace zaro {

std::string AnalysisKindText(int analysisKind) {
    static const std::array<const char*, 4> texts = {"DC線形", "DC解析", "AC線形", "AC解析"};
    if (analysisKind < 0 || analysisKind >= static_cast<int>(texts.size())) {
        return "";
    }
    return texts[static_cast<std::size_t>(analysisKind)];
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

void TDocumentStatus::SetModified(bool flag) {
    if (flag == Modified) {
        return;
    }
    if (flag) {
        for (int i = 0; i < Canvas.DragPanelCount(); ++i) {
            if (auto* device = dynamic_cast<TZaroSimDevice*>(&Canvas.DragPanel(i))) {
                device->ClearDeviceResult();
            }
        }
    }
    Modified = flag;
    if (Modified) {
        Analysis.ResultsValid = false;
    }
}

void TDocumentStatus::UpdateStatus() {
    Platform.SetCommandsEnabled(true);
    Platform.SetTitle(DocumentTitle(FileName));
    Platform.SetStatusText(0, Modified ? StatusModified : "");
    Platform.SetStatusText(1, Analysis.ResultsValid ? AnalysisKindText(Analysis.AnalysisKind) : "");
    Platform.SetStatusText(2, "");
}

void TDocumentStatus::BeginBusy() {
    Platform.SetCommandsEnabled(false);
    Platform.SetStatusText(1, StatusBusy);
    Platform.RepaintWindow();
}

} // namespace zaro
