#include "UndoStack.h"

#include <algorithm>

namespace zaro {

namespace {

std::size_t SizeOf(const TUndoStep& step) {
    return sizeof(TUndoStep) + step.Info.Name.capacity() + step.Change.MemorySize();
}

} // namespace

void TUndoStack::Push(TUndoStep step) {
    FSteps.erase(FSteps.begin() + FIndex, FSteps.end());
    if (FClean && *FClean > FIndex) {
        FClean.reset();
    }
    if (MayMerge(step)) {
        if (std::optional<TCanvasChange> joined = FSteps.back().Change.Then(step.Change)) {
            step.Change = std::move(*joined);
            step.Info = FSteps.back().Info;
            FBytes -= SizeOf(FSteps.back());
            FSteps.pop_back();
            --FIndex;
        }
    }
    if (!step.Change.Empty()) {
        Append(std::move(step));
    } else {
        // Nothing is left of the step the edit would have joined.
        FMergeOpen = false;
    }
    Changed.Emit();
}

// Only into the step just made, and not across the point the document was
// saved at, which would then be lost.
bool TUndoStack::MayMerge(const TUndoStep& step) const {
    return FMergeOpen && !FSteps.empty() && step.Info.MergeKey != nullptr &&
           step.Info.MergeKey == FSteps.back().Info.MergeKey && !AtCleanPoint();
}

void TUndoStack::Append(TUndoStep step) {
    FBytes += SizeOf(step);
    FSteps.push_back(std::move(step));
    ++FIndex;
    FMergeOpen = true;
    Trim();
}

// The oldest steps go first; steps that can be redone only when nothing else is left.
void TUndoStack::Trim() {
    while (Count() > std::max(FStepLimit, 1) || (FBytes > FByteLimit && Count() > 1)) {
        if (FIndex > 0) {
            FBytes -= SizeOf(FSteps.front());
            FSteps.pop_front();
            --FIndex;
            FClean = FClean > 0 ? std::optional<int>(*FClean - 1) : std::nullopt;
        } else {
            FBytes -= SizeOf(FSteps.back());
            FSteps.pop_back();
            if (FClean > Count()) {
                FClean.reset();
            }
        }
    }
}

void TUndoStack::StepBack() {
    --FIndex;
    FMergeOpen = false;
    Changed.Emit();
}

void TUndoStack::StepForward() {
    ++FIndex;
    FMergeOpen = false;
    Changed.Emit();
}

void TUndoStack::SetCleanPoint() {
    if (FClean != FIndex) {
        FClean = FIndex;
        Changed.Emit();
    }
}

void TUndoStack::ForgetCleanPoint() {
    if (FClean) {
        FClean.reset();
        Changed.Emit();
    }
}

void TUndoStack::Clear() {
    FSteps.clear();
    FIndex = 0;
    FClean = 0;
    FMergeOpen = false;
    FBytes = 0;
    Changed.Emit();
}

void TUndoStack::SetLimits(int steps, std::size_t bytes) {
    FStepLimit = steps;
    FByteLimit = bytes;
    Trim();
    Changed.Emit();
}

} // namespace zaro
