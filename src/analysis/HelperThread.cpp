#include "HelperThread.h"

#include "ZaroErrors.h"

#include <utility>

namespace zaro {

THelperThread::THelperThread() : Thread([this] { Loop(); }) {}

THelperThread::~THelperThread() {
    if (Phase.load() == Posted) {
        Await(Done);
    }
    Enter(Closing);
    Thread.join();
}

void THelperThread::Start(std::function<void()> task) {
    if (Phase.load() == Posted) {
        throw EZaroError("Helper thread: a task is still running.");
    }
    Task = std::move(task);
    Error = nullptr;
    Enter(Posted);
}

void THelperThread::Wait() {
    if (Phase.load() != Posted && Phase.load() != Done) {
        return;
    }
    Await(Done);
    Phase.store(Idle);
    if (Error) {
        std::rethrow_exception(std::exchange(Error, nullptr));
    }
}

void THelperThread::Loop() {
    while (Await(Posted) != Closing) {
        try {
            Task();
        } catch (...) {
            Error = std::current_exception();
        }
        Task = nullptr;
        Enter(Done);
    }
}

// Under the lock, so that a side about to sleep cannot miss the change.
void THelperThread::Enter(TPhase phase) {
    {
        const std::lock_guard lock(Lock);
        Phase.store(phase);
    }
    Changed.notify_all();
}

THelperThread::TPhase THelperThread::Await(TPhase wanted) {
    const auto until = std::chrono::steady_clock::now() + SpinTime;
    for (;;) {
        const TPhase phase = Phase.load();
        if (phase == wanted || phase == Closing) {
            return phase;
        }
        if (std::chrono::steady_clock::now() > until) {
            break;
        }
        std::this_thread::yield();
    }
    std::unique_lock lock(Lock);
    TPhase phase = Phase.load();
    Changed.wait(lock, [&] {
        phase = Phase.load();
        return phase == wanted || phase == Closing;
    });
    return phase;
}

} // namespace zaro
