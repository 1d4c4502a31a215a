#pragma once
// Change notifications without a GUI toolkit: a signal calls every function
// connected to it, in the order they were connected. A connection detaches
// itself when either side goes away: the signal's end when the signal is
// destroyed, the listener's end when its TScopedConnection (or
// TConnectionList) is destroyed.
//
// How a view connects, and why it never has to disconnect by hand:
//
//     class TCanvasView {
//     public:
//         explicit TCanvasView(TCodingPanel& canvas) : Canvas(canvas) {
//             Links += canvas.PanelInserted.Connect([this](int i) { AddPanelView(i); });
//             Links += canvas.PanelAboutToBeRemoved.Connect([this](int i) { DropPanelView(i); });
//             Links += canvas.SelectionChanged.Connect([this] { update(); });
//         }
//     private:
//         TCodingPanel& Canvas;
//         TConnectionList Links; // declared last: detached first when the view goes
//     };
//
// Listeners may connect, disconnect and even destroy the object that owns the
// signal while it is being raised: a function disconnected during a raise is
// not called any more, one connected during a raise is called from the next one.

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace zaro {

namespace signal_detail {

struct TSlotState {
    bool Connected = true;
};

} // namespace signal_detail

// A handle on one connection. Copies name the same connection; it does not
// keep the connection alive.
class TConnection {
public:
    TConnection() = default;
    explicit TConnection(std::weak_ptr<signal_detail::TSlotState> slot) : FSlot(std::move(slot)) {}

    // False once disconnected or once the signal is gone.
    bool Connected() const {
        const auto slot = FSlot.lock();
        return slot != nullptr && slot->Connected;
    }
    void Disconnect() {
        if (const auto slot = FSlot.lock()) {
            slot->Connected = false;
        }
        FSlot.reset();
    }

private:
    std::weak_ptr<signal_detail::TSlotState> FSlot;
};

// Owns one connection and disconnects it when destroyed or given another.
class TScopedConnection {
public:
    TScopedConnection() = default;
    TScopedConnection(TConnection connection) : FConnection(std::move(connection)) {}
    ~TScopedConnection() { FConnection.Disconnect(); }
    TScopedConnection(const TScopedConnection&) = delete;
    TScopedConnection& operator=(const TScopedConnection&) = delete;
    TScopedConnection(TScopedConnection&& other) noexcept
        : FConnection(std::exchange(other.FConnection, {})) {}
    TScopedConnection& operator=(TScopedConnection&& other) noexcept {
        if (this != &other) {
            FConnection.Disconnect();
            FConnection = std::exchange(other.FConnection, {});
        }
        return *this;
    }

    bool Connected() const { return FConnection.Connected(); }
    void Disconnect() { FConnection.Disconnect(); }

private:
    TConnection FConnection;
};

// The connections of one listener, all detached together.
class TConnectionList {
public:
    TConnectionList() = default;
    ~TConnectionList() { DisconnectAll(); }
    TConnectionList(const TConnectionList&) = delete;
    TConnectionList& operator=(const TConnectionList&) = delete;

    TConnectionList& operator+=(TConnection connection) {
        FConnections.push_back(std::move(connection));
        return *this;
    }
    void DisconnectAll() {
        for (TConnection& connection : FConnections) {
            connection.Disconnect();
        }
        FConnections.clear();
    }

private:
    std::vector<TConnection> FConnections;
};

// A signal whose listeners receive Args. Connecting does not change what the
// signal's owner is, so a const object can be listened to.
template <typename... Args> class TSignal {
public:
    using TFunction = std::function<void(Args...)>;

    TSignal() = default;
    // Functions still to be called by a raise under way are not called any more.
    ~TSignal() {
        for (const auto& slot : FSlots) {
            slot->Connected = false;
        }
    }
    // A signal belongs to one object; a copy of that object starts without listeners.
    TSignal(const TSignal&) = delete;
    TSignal& operator=(const TSignal&) = delete;

    // The handle may be dropped by a listener that lives at least as long as
    // the signal (an object listening to its own parts).
    TConnection Connect(TFunction function) const {
        DropDisconnected();
        auto slot = std::make_shared<TSlot>();
        slot->Function = std::move(function);
        FSlots.push_back(slot);
        return TConnection(slot);
    }

    // Calls every connected function. Only the owner of the signal raises it.
    void Emit(Args... args) const {
        DropDisconnected();
        // A copy: the list may change, and the owner may be destroyed, meanwhile.
        const std::vector<std::shared_ptr<TSlot>> slots = FSlots;
        for (const auto& slot : slots) {
            if (slot->Connected) {
                slot->Function(args...);
            }
        }
    }

    int ListenerCount() const {
        DropDisconnected();
        return static_cast<int>(FSlots.size());
    }

private:
    struct TSlot : signal_detail::TSlotState {
        TFunction Function;
    };

    void DropDisconnected() const {
        std::erase_if(FSlots, [](const auto& slot) { return !slot->Connected; });
    }

    mutable std::vector<std::shared_ptr<TSlot>> FSlots;
};

} // namespace zaro
