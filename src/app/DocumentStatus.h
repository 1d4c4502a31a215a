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

// Status panel 1 while results are valid; empty for a value outside the kinds.
std::string AnalysisKindText(TAnalysisKind analysisKind);
// "<name without directory> - ZaroSim", or "Untitled - ZaroSim".
std::string DocumentTitle(const std::string& fileName);

class TDocumentStatus {
public:
    TDocumentStatus(TPlatform& platform, TCodingPanel& canvas, TAnalysisState& analysis);

    // Full path of the model file; empty while untitled. True when it changed.
    const std::string& FileName() const { return FFileName; }
    bool SetFileName(const std::string& fileName);

    // The document needs saving: its circuit or its drawing changed since it
    // was created, loaded or saved.
    bool Modified() const { return FCircuitModified || FDrawingModified; }
    // The circuit changed (true) or the document was saved (false). Becoming
    // modified clears every device's result display and the results; a call
    // that changes nothing does nothing. True when Modified changed.
    bool SetModified(bool flag);
    // Only the drawing changed (a panel moved, a wire segment moved): the
    // document needs saving, the results on show stay. True when Modified changed.
    bool MarkDrawingModified();
    // Every device on the canvas clears its result display.
    void ClearDeviceResults();

    // From BeginBusy to the next UpdateStatus; the canvas takes no edits meanwhile.
    bool Busy() const { return FBusy; }
    // Enables every command and refreshes title and status bar.
    void UpdateStatus();
    // Disables every command and shows "解析中" until the next UpdateStatus.
    void BeginBusy();

private:
    void SetBusy(bool busy);

    TPlatform& Platform;
    TCodingPanel& Canvas;
    TAnalysisState& Analysis;
    std::string FFileName;
    bool FCircuitModified = false;
    bool FDrawingModified = false;
    bool FBusy = false;
};

} // namespace zaro
