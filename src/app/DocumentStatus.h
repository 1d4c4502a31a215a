#pragma once
// The document's file name and modified flag, and the three operations that
// keep the window's title, status bar and command enabling in step with them
// and with the analysis results.

#include "AnalysisState.h"
#include "CodingPanel.h"
#include "Platform.h"

#include <string>

namespace zaro {

inline constexpr const char* StatusModified = "変更";
inline constexpr const char* StatusBusy = "解析中";

// Status panel 1 while results are valid, for AnalysisKind 0 to 3.
std::string AnalysisKindText(int analysisKind);
// "<name without directory> - ZaroSim", or "Untitled - ZaroSim".
std::string DocumentTitle(const std::string& fileName);

class TDocumentStatus {
public:
    TDocumentStatus(TPlatform& platform, TCodingPanel& canvas, TAnalysisState& analysis);

    // Full path of the model file; empty while untitled.
    std::string FileName;
    bool Modified = false;

    // Becoming modified clears every device's result display and the
    // results; a call that changes nothing does nothing.
    void SetModified(bool flag);
    // Enables every command and refreshes title and status bar.
    void UpdateStatus();
    // Disables every command and shows "解析中" until the next UpdateStatus.
    void BeginBusy();

private:
    TPlatform& Platform;
    TCodingPanel& Canvas;
    TAnalysisState& Analysis;
};

} // namespace zaro
