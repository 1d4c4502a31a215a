#pragma once
// A second thread that runs one task at a time for the thread that owns it,
// kept for as long as the owner has work for it. Waking a sleeping thread
// takes some 70 us here, as long as a dozen Jacobian columns, so each side
// first spins a while (yielding the core to whoever wants it) before it
// sleeps: the tasks of one search follow one another within that time.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace zaro {

class THelperThread {
public:
    THelperThread();
    // Waits for a task that is still running, then ends the thread.
    ~THelperThread();
    THelperThread(const THelperThread&) = delete;
    THelperThread& operator=(const THelperThread&) = delete;

    // Runs task on the helper thread; the last task must have been waited for.
    void Start(std::function<void()> task);
    // Waits for the started task to end and raises what it raised.
    void Wait();

private:
    enum TPhase { Idle, Posted, Done, Closing };
    static constexpr std::chrono::microseconds SpinTime{2000};

    void Loop();
    void Enter(TPhase phase);
    // Waits until the phase is `wanted` (or Closing); returns the phase.
    TPhase Await(TPhase wanted);

    std::atomic<TPhase> Phase{Idle};
    std::mutex Lock;
    std::condition_variable Changed;
    std::function<void()> Task;
    std::exception_ptr Error;
    std::thread Thread;
};

} // namespace zaro
