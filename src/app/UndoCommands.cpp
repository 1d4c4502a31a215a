#include "UndoCommands.h"

namespace zaro {

namespace {

std::string StatusTip(const char* hint, const std::string& stepName) {
    return stepName.empty() ? std::string(hint) : std::string(hint) + ": " + stepName;
}

// A half-done gesture holds panel and wire numbers the step would change.
bool MayApply(TCircuitDocument& document, bool available) {
    if (!available) {
        return false;
    }
    if (document.Canvas().Status() != TCodingPanelStatus::cpsNormal) {
        document.Platform().Beep();
        return false;
    }
    return true;
}

void AfterStep(TCircuitDocument& document, const TEditStep& step) {
    if (step.ChangesCircuit) {
        document.ClearResults();
    }
    if (document.History().AtCleanPoint()) {
        document.SetModified(false);
    } else if (step.ChangesCircuit) {
        document.SetModified(true);
    } else {
        document.MarkDrawingModified();
    }
    document.UpdateStatus();
    // The property pane follows the selection the step brought back.
    document.ShowDeviceProperty();
}

template <typename TApply> bool Step(TCircuitDocument& document, bool available, TApply apply) {
    if (!MayApply(document, available)) {
        return false;
    }
    const std::optional<TEditStep> step = apply();
    if (!step) {
        document.Platform().Beep();
        return false;
    }
    AfterStep(document, *step);
    return true;
}

} // namespace

std::string UndoStatusTip(const TCircuitDocument& document) {
    return StatusTip(UndoHint, document.History().UndoName());
}

std::string RedoStatusTip(const TCircuitDocument& document) {
    return StatusTip(RedoHint, document.History().RedoName());
}

bool AtnEditUndo(TCircuitDocument& document) {
    return Step(document, document.CanUndo(), [&] { return document.History().Undo(); });
}

bool AtnEditRedo(TCircuitDocument& document) {
    return Step(document, document.CanRedo(), [&] { return document.History().Redo(); });
}

} // namespace zaro
