#pragma once
// Solves independent AC systems on worker threads while the caller assembles
// the next ones. Each worker has its own solver and starts it afresh for
// every system, so a solution depends only on its system, never on which
// worker solved it or what it solved before; the solutions come back in the
// order the systems went in. With no workers every system is solved on the
// calling thread when it is handed in.

#include "AssembledSystem.h"
#include "SolverKind.h"
#include "SystemSolver.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace zaro {

// Workers a sweep uses on this machine: one a core.
int DefaultSolveWorkers();

class TACSolvePipeline {
public:
    // At most `depth` systems are in flight (handed in, not yet taken).
    TACSolvePipeline(TSolverKind kind, int workers, int depth);
    // Abandons the systems in flight and joins the workers.
    ~TACSolvePipeline();
    TACSolvePipeline(const TACSolvePipeline&) = delete;
    TACSolvePipeline& operator=(const TACSolvePipeline&) = delete;

    bool Full() const { return InFlight == Slots.size(); }
    bool Empty() const { return InFlight == 0; }
    // The system to assemble next; only while not Full.
    TAssembledSystem<TComplex>& NextSystem();
    // Hands the assembled NextSystem in.
    void Submit();
    // The solution of the oldest system in flight once it is solved, waiting
    // up to `wait`; nothing if it is not solved by then. Raises what its
    // solver raised. Valid until Pop.
    const std::vector<TComplex>* Oldest(std::chrono::milliseconds wait);
    // Frees the oldest system's place.
    void Pop();

private:
    enum class TSlotState { Free, Queued, Solving, Solved };
    struct TSlot {
        TAssembledSystem<TComplex> System;
        std::vector<TComplex> Solution;
        std::exception_ptr Error;
        TSlotState State = TSlotState::Free;
    };
    struct TWorker;

    static void SolveSlot(TWorker& worker, TSlot& slot);
    void WorkerLoop(TWorker& worker);
    TSlot& SlotAt(std::size_t sequence) { return Slots[sequence % Slots.size()]; }

    std::vector<TSlot> Slots;
    // Sequence numbers: the oldest system in flight, the next one for a
    // worker; InFlight systems were handed in and not popped. Only the
    // calling thread changes First and InFlight, under the lock.
    std::size_t First = 0;
    std::size_t InFlight = 0;
    std::size_t NextQueued = 0;
    std::unique_ptr<TWorker> Inline;
    std::vector<std::unique_ptr<TWorker>> Workers;
    std::mutex Lock;
    std::condition_variable Queued;
    std::condition_variable Solved;
    bool Closing = false;
};

} // namespace zaro
