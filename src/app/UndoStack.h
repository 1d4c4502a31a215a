#pragma once
// The list of edits that can be undone and redone, with the point where the
// document was saved. Successive edits with the same merge key (one value
// box) become one step, a step that changed nothing is not kept, and the
// oldest steps go once there are more than the step limit or they keep more
// than the byte limit.

#include "CanvasChange.h"
#include "Signal.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace zaro {

// What the user sees of a step and how undoing it touches the document.
struct TEditStep {
    std::string Name;           // "抵抗器の配置"
    bool ChangesCircuit = true; // else only the drawing changed
    // Successive edits with the same key merge; nullptr never merges.
    const void* MergeKey = nullptr;
};

struct TUndoStep {
    TEditStep Info;
    TCanvasChange Change;
};

class TUndoStack {
public:
    static constexpr int DefaultStepLimit = 1000;
    static constexpr std::size_t DefaultByteLimit = std::size_t{32} << 20;

    // After the current step, dropping the steps that could have been redone.
    void Push(TUndoStep step);

    bool CanUndo() const { return FIndex > 0; }
    bool CanRedo() const { return FIndex < Count(); }
    // The step the next undo or redo applies; only when there is one.
    const TUndoStep& StepToUndo() const { return FSteps[static_cast<std::size_t>(FIndex - 1)]; }
    const TUndoStep& StepToRedo() const { return FSteps[static_cast<std::size_t>(FIndex)]; }
    // Moves past that step once it has been applied.
    void StepBack();
    void StepForward();

    // The document is as it was saved.
    bool AtCleanPoint() const { return FClean == FIndex; }
    void SetCleanPoint();
    // The saved state cannot be reached any more.
    void ForgetCleanPoint();
    // No steps, at the clean point.
    void Clear();

    int Count() const { return static_cast<int>(FSteps.size()); }
    // Steps that can be undone.
    int Index() const { return FIndex; }
    // Bytes the steps keep.
    std::size_t Bytes() const { return FBytes; }
    // Applies at once; a limit below one step keeps one.
    void SetLimits(int steps, std::size_t bytes);

    // Raised after any change of the steps, the position or the clean point.
    TSignal<> Changed;

private:
    bool MayMerge(const TUndoStep& step) const;
    void Append(TUndoStep step);
    void Trim();

    std::deque<TUndoStep> FSteps;
    int FIndex = 0;
    std::optional<int> FClean = 0; // none: the saved state can no longer be reached
    bool FMergeOpen = false;       // the last step was just pushed
    std::size_t FBytes = 0;
    int FStepLimit = DefaultStepLimit;
    std::size_t FByteLimit = DefaultByteLimit;
};

} // namespace zaro
