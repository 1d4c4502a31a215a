#pragma once
// Undo and redo of the edits of one canvas. Before an edit changes the
// canvas the history takes its picture (Begin); when the edit is complete it
// keeps what changed as one step (Commit). Undoing and redoing apply those
// steps and nothing else: an edit is never done again from its description.

#include "CanvasIdentities.h"
#include "CanvasSnapshot.h"
#include "CodingPanel.h"
#include "Signal.h"
#include "UndoStack.h"

#include <optional>
#include <string>

namespace zaro {

class TTinyParser;

class TEditHistory {
public:
    TEditHistory(TCodingPanel& canvas, TTinyParser& evaluator);
    TEditHistory(const TEditHistory&) = delete;
    TEditHistory& operator=(const TEditHistory&) = delete;

    // The canvas as it is before an edit; a later Begin replaces it.
    void Begin();
    // What changed since Begin, as one step. A commit without a Begin means
    // the canvas changed where the history could not see it: every step is
    // dropped, since none would fit the canvas any more, and the saved state
    // is out of reach.
    void Commit(TEditStep step);

    bool CanUndo() const { return FSteps.CanUndo(); }
    bool CanRedo() const { return FSteps.CanRedo(); }
    // The name of the step the next undo or redo applies; empty when none.
    std::string UndoName() const;
    std::string RedoName() const;
    // Applies the step and returns what it was, or nothing when there is no
    // step or the canvas no longer fits it (the history is then dropped as
    // on a commit without a Begin).
    std::optional<TEditStep> Undo();
    std::optional<TEditStep> Redo();

    // Forgets every step: a new or loaded model.
    void Clear();
    // The document is saved as it is now, or is as it was saved.
    void MarkClean() { FSteps.SetCleanPoint(); }
    bool AtCleanPoint() const { return FSteps.AtCleanPoint(); }

    // The steps, for their limits and figures.
    TUndoStack& Steps() { return FSteps; }
    const TUndoStack& Steps() const { return FSteps; }

    // A step was kept, applied or dropped: what the Edit menu offers may differ.
    TSignal<> Changed;

private:
    std::optional<TEditStep> Step(TChangeDirection direction);
    std::optional<TEditStep> Apply(const TUndoStep& step, TChangeDirection direction);
    void LoseTrack();

    TCodingPanel& Canvas;
    TTinyParser& Evaluator;
    TCanvasIdentities Ids;
    TUndoStack FSteps;
    std::optional<TCanvasSnapshot> FBefore;
};

} // namespace zaro
