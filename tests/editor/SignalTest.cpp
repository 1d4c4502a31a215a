// The notification type: several listeners in order, and connections that
// detach themselves from either side, also while a signal is being raised.

#include "Signal.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zaro {
namespace {

TEST(Signal, CallsEveryListenerInTheOrderOfConnecting) {
    TSignal<int, const std::string&> signal;
    std::vector<std::string> calls;
    signal.Connect(
        [&](int n, const std::string& s) { calls.push_back("a" + s + std::to_string(n)); });
    signal.Connect(
        [&](int n, const std::string& s) { calls.push_back("b" + s + std::to_string(n)); });
    signal.Emit(1, "x");
    EXPECT_EQ(calls, (std::vector<std::string>{"ax1", "bx1"}));
}

TEST(Signal, AScopedConnectionDetachesWhenItsListenerGoes) {
    TSignal<> signal;
    int calls = 0;
    {
        TScopedConnection link = signal.Connect([&] { ++calls; });
        TConnectionList more;
        more += signal.Connect([&] { ++calls; });
        signal.Emit();
        EXPECT_TRUE(link.Connected());
    }
    signal.Emit();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(signal.ListenerCount(), 0);
}

TEST(Signal, ConnectionsOfASignalThatIsGoneAreDisconnected) {
    auto signal = std::make_unique<TSignal<>>();
    TConnection handle = signal->Connect([] {});
    TScopedConnection link = signal->Connect([] {});
    signal.reset();
    EXPECT_FALSE(handle.Connected());
    EXPECT_FALSE(link.Connected());
    handle.Disconnect(); // harmless, as is the scoped link's own at the end
}

TEST(Signal, AListenerDisconnectedDuringARaiseIsNotCalledAnyMore) {
    TSignal<> signal;
    std::vector<std::string> calls;
    TConnection second;
    signal.Connect([&] {
        calls.push_back("first");
        second.Disconnect();
        signal.Connect([&] { calls.push_back("late"); });
    });
    second = signal.Connect([&] { calls.push_back("second"); });
    signal.Emit();
    EXPECT_EQ(calls, std::vector<std::string>{"first"}) << "one connected meanwhile waits";
    calls.clear();
    signal.Emit();
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "late"}));
}

TEST(Signal, TheOwnerMayBeDestroyedByAListener) {
    struct TOwner {
        TSignal<> Closing;
    };
    auto owner = std::make_unique<TOwner>();
    int later = 0;
    owner->Closing.Connect([&] { owner.reset(); });
    owner->Closing.Connect([&] { ++later; });
    owner->Closing.Emit();
    EXPECT_EQ(owner, nullptr);
    EXPECT_EQ(later, 0) << "nobody is told about an object that is gone";
}

TEST(Signal, MovingAScopedConnectionKeepsOneLink) {
    TSignal<> signal;
    int calls = 0;
    TScopedConnection a = signal.Connect([&] { ++calls; });
    TScopedConnection b = std::move(a);
    EXPECT_FALSE(a.Connected());
    signal.Emit();
    b = signal.Connect([&] { calls += 10; }); // replacing drops the first link
    signal.Emit();
    EXPECT_EQ(calls, 11);
    EXPECT_EQ(signal.ListenerCount(), 1);
}

} // namespace
} // namespace zaro
