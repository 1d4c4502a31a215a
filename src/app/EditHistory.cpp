#include "EditHistory.h"

#include "ZaroErrors.h"

namespace zaro {

TEditHistory::TEditHistory(TCodingPanel& canvas, TTinyParser& evaluator)
    : Canvas(canvas), Evaluator(evaluator), Ids(canvas) {}

void TEditHistory::Begin() {
    FBefore = TakeCanvasSnapshot(Canvas, Ids);
}

void TEditHistory::Commit(TEditStep step) {
    if (!FBefore) {
        LoseTrack();
        return;
    }
    TCanvasChange change = TCanvasChange::Between(*FBefore, TakeCanvasSnapshot(Canvas, Ids));
    FBefore.reset();
    FSteps.Push({std::move(step), std::move(change)});
    Changed.Emit();
}

std::string TEditHistory::UndoName() const {
    return CanUndo() ? FSteps.StepToUndo().Info.Name : std::string();
}

std::string TEditHistory::RedoName() const {
    return CanRedo() ? FSteps.StepToRedo().Info.Name : std::string();
}

std::optional<TEditStep> TEditHistory::Undo() {
    return Step(TChangeDirection::Backward);
}

std::optional<TEditStep> TEditHistory::Redo() {
    return Step(TChangeDirection::Forward);
}

std::optional<TEditStep> TEditHistory::Step(TChangeDirection direction) {
    const bool back = direction == TChangeDirection::Backward;
    if (!(back ? CanUndo() : CanRedo())) {
        return std::nullopt;
    }
    std::optional<TEditStep> done =
        Apply(back ? FSteps.StepToUndo() : FSteps.StepToRedo(), direction);
    if (done) {
        back ? FSteps.StepBack() : FSteps.StepForward();
        Changed.Emit();
    }
    return done;
}

std::optional<TEditStep> TEditHistory::Apply(const TUndoStep& step, TChangeDirection direction) {
    FBefore.reset();
    const TEditStep info = step.Info;
    try {
        step.Change.Apply(Canvas, Evaluator, direction);
    } catch (const EZaroError&) {
        LoseTrack();
        return std::nullopt;
    }
    return info;
}

void TEditHistory::Clear() {
    FBefore.reset();
    FSteps.Clear();
    Changed.Emit();
}

void TEditHistory::LoseTrack() {
    Clear();
    FSteps.ForgetCleanPoint();
}

} // namespace zaro
