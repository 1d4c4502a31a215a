#include "ACSolvePipeline.h"

#include <algorithm>

namespace zaro {

int DefaultSolveWorkers() {
    return static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
}

// A solver with the dense arrays it works in when the sparse path hands a
// system over, and the thread it runs on (none for the inline solver).
struct TACSolvePipeline::TWorker {
    explicit TWorker(TSolverKind kind) : Solver(MakeSystemSolver<TComplex>(kind, {Matrix, Rhs})) {}

    std::vector<TComplex> Matrix;
    std::vector<TComplex> Rhs;
    std::unique_ptr<TSystemSolver<TComplex>> Solver;
    std::thread Thread;
};

TACSolvePipeline::TACSolvePipeline(TSolverKind kind, int workers, int depth)
    : Slots(static_cast<std::size_t>(std::max(1, depth))) {
    if (workers <= 0) {
        Inline = std::make_unique<TWorker>(kind);
        return;
    }
    for (int w = 0; w < workers; ++w) {
        Workers.push_back(std::make_unique<TWorker>(kind));
    }
    for (const auto& worker : Workers) {
        worker->Thread = std::thread([this, &w = *worker] { WorkerLoop(w); });
    }
}

TACSolvePipeline::~TACSolvePipeline() {
    {
        const std::lock_guard guard(Lock);
        Closing = true;
    }
    Queued.notify_all();
    for (const auto& worker : Workers) {
        worker->Thread.join();
    }
}

TAssembledSystem<TComplex>& TACSolvePipeline::NextSystem() {
    return SlotAt(First + InFlight).System;
}

void TACSolvePipeline::Submit() {
    TSlot& slot = SlotAt(First + InFlight);
    if (Inline) {
        SolveSlot(*Inline, slot);
        slot.State = TSlotState::Solved;
        ++InFlight;
        ++NextQueued;
        return;
    }
    {
        const std::lock_guard guard(Lock);
        slot.State = TSlotState::Queued;
        ++InFlight;
    }
    Queued.notify_one();
}

const std::vector<TComplex>* TACSolvePipeline::Oldest(std::chrono::milliseconds wait) {
    TSlot& slot = SlotAt(First);
    {
        std::unique_lock guard(Lock);
        if (!Solved.wait_for(guard, wait, [&] { return slot.State == TSlotState::Solved; })) {
            return nullptr;
        }
    }
    if (slot.Error) {
        std::rethrow_exception(slot.Error);
    }
    return &slot.Solution;
}

void TACSolvePipeline::Pop() {
    const std::lock_guard guard(Lock);
    SlotAt(First).State = TSlotState::Free;
    ++First;
    --InFlight;
}

// The solver starts afresh, as the AC analysis starts it for every system.
void TACSolvePipeline::SolveSlot(TWorker& worker, TSlot& slot) {
    slot.Error = nullptr;
    try {
        worker.Solver->Reset();
        slot.Solution = worker.Solver->Solve(slot.System);
    } catch (...) {
        slot.Error = std::current_exception();
    }
}

void TACSolvePipeline::WorkerLoop(TWorker& worker) {
    std::unique_lock guard(Lock);
    for (;;) {
        Queued.wait(guard, [this] { return Closing || NextQueued < First + InFlight; });
        if (Closing) {
            return;
        }
        TSlot& slot = SlotAt(NextQueued++);
        slot.State = TSlotState::Solving;
        guard.unlock();
        SolveSlot(worker, slot);
        guard.lock();
        slot.State = TSlotState::Solved;
        Solved.notify_all();
    }
}

} // namespace zaro
