// The edit history on a circuit of 200 devices: what one recorded edit costs,
// what undoing and redoing the deletion of the first device costs (every
// later record changes its numbers), and what the history keeps after 1000
// edits of every kind a user makes. The memory counters are the history's own
// count of its bytes and the growth of the heap while the edits ran.

#include "ClipboardCommands.h"
#include "DevicePlacement.h"
#include "FakePlatform.h"
#include "FakeProgressView.h"
#include "Gestures.h"
#include "ModelFile.h"
#include "UndoCommands.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <array>
#include <memory>
#include <random>

namespace {

using namespace zaro;

constexpr int DeviceCount = 200;
constexpr std::array<const char*, 5> Classes = {"TResistor", "TCapacitor", "TInductor",
                                                "TYConnection", "TDiode"};

std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

// 200 devices in rows of 20, each wired to the next, and the window's canvas.
struct TBenchDocument {
    test::TFakePlatform Platform;
    test::TFakeProgressView View;
    TCircuitDocument Doc{Platform, View};

    TBenchDocument() {
        Doc.Canvas().SetSize(555, 364);
        Doc.Canvas().SetHorzScrollRange(2000);
        Doc.Canvas().SetVertScrollRange(1500);
        for (int i = 0; i < DeviceCount; ++i) {
            TZaroSimDevice& device =
                PlaceDevice(Doc, Classes[static_cast<std::size_t>(i) % Classes.size()]);
            device.SetBounds(16 + (i % 20) * 96, 16 + (i / 20) * 96, device.Width(),
                             device.Height());
            if (i > 0) {
                Doc.Canvas().ConnectPorts(i - 1, 1, i, 0);
            }
        }
        Doc.History().Clear();
        Doc.SetModified(false);
    }

    TZaroSimDevice& Device(int i) {
        return static_cast<TZaroSimDevice&>(Doc.Canvas().DragPanel(i));
    }
};

// One user's edit of a random kind, keeping about 200 devices on the canvas.
class TSession {
public:
    explicit TSession(TBenchDocument& b) : B(b), Random(7) {}

    void Edit() {
        TCodingPanel& canvas = B.Doc.Canvas();
        const int panels = canvas.DragPanelCount();
        TZaroSimDevice& device = B.Device(Below(panels));
        switch (Below(10)) {
        case 0:
        case 1:
        case 2:
            if (TEditBox* box = device.ValueEdit()) {
                device.CommitEditText(*box, std::to_string(Below(1000)) + "k");
            }
            break;
        case 3:
        case 4:
            test::DragPanel(B.Doc, device, {4, 4}, {Below(520), Below(330)});
            break;
        case 5:
            if (canvas.ConnectorCount() > 0 && canvas.Connector(0).LineCount() >= 3) {
                test::DragSegment(canvas, Below(canvas.ConnectorCount()), 2, {24, 24});
            }
            break;
        case 6:
        case 7: {
            TZaroSimDevice& other = B.Device(Below(panels));
            test::PressPort(device, Below(device.PortCount()));
            test::PressPort(other, Below(other.PortCount()));
            break;
        }
        default:
            if (panels >= DeviceCount) {
                canvas.SetSelectedDragPanelNo(device.Index());
                AtnEditDelete(B.Doc);
            } else {
                PlaceDevice(B.Doc, Classes[static_cast<std::size_t>(Below(5))]);
            }
            break;
        }
    }

private:
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(Random); }

    TBenchDocument& B;
    std::mt19937 Random;
};

void BM_RecordOneValueEdit(benchmark::State& state) {
    TBenchDocument b;
    TZaroSimDevice& resistor = b.Device(0);
    int n = 0;
    for (auto _ : state) {
        resistor.CommitEditText(*resistor.ValueEdit(), std::to_string(++n));
        // Another box in between, so that the edits do not merge into one.
        b.Device(5).CommitEditText(*b.Device(5).ValueEdit(), std::to_string(n));
    }
    state.SetItemsProcessed(2 * state.iterations());
}

void BM_UndoAndRedoOfTheFirstDevicesDeletion(benchmark::State& state) {
    TBenchDocument b;
    b.Doc.Canvas().SetSelectedDragPanelNo(0);
    AtnEditDelete(b.Doc);
    for (auto _ : state) {
        AtnEditUndo(b.Doc);
        AtnEditRedo(b.Doc);
    }
    state.counters["StepBytes"] = static_cast<double>(b.Doc.History().Steps().Bytes());
}

void BM_HistoryOf1000Edits(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto b = std::make_unique<TBenchDocument>();
        TSession session(*b);
        const std::size_t heapBefore = HeapInUse();
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i) {
            session.Edit();
        }
        state.PauseTiming();
        const TUndoStack& steps = b->Doc.History().Steps();
        state.counters["Steps"] = steps.Count();
        state.counters["HistoryBytes"] = static_cast<double>(steps.Bytes());
        state.counters["HeapGrowth"] = static_cast<double>(HeapInUse() - heapBefore);
        state.counters["ModelBytes"] = static_cast<double>(ModelBytes(b->Doc).size());
        state.counters["Devices"] = b->Doc.Canvas().DragPanelCount();
        b.reset();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_RecordOneValueEdit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoAndRedoOfTheFirstDevicesDeletion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryOf1000Edits)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
