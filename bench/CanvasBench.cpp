// Frames of the schematic canvas in the real main window (offscreen): a
// drawing of 200 devices and 300 wires, repainted whole, one mouse move of a
// panel drag (rubber band and repaint), one drop that moves a wired panel
// (its wires re-routed) and one scroll step that moves every panel widget.
// A frame should stay under 16 ms.

#include "ApplicationSetup.h"
#include "CanvasView.h"
#include "CircuitDocument.h"
#include "DevicePlacement.h"
#include "MainWindow.h"
#include "PanelWidget.h"
#include "ZaroMathImport.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace zaro;

constexpr int Columns = 20;
constexpr int Pairs = 100;

// 100 resistors and 100 X junctions on a grid, in pairs k = (resistor 2k,
// junction 2k + 1), joined in rings: each resistor to its junction, each
// junction to the next resistor and to the next junction. 600 ports, 300 wires.
void DrawBigCircuit(TCircuitDocument& doc) {
    TCodingPanel& canvas = doc.Canvas();
    for (int i = 0; i < 2 * Pairs; ++i) {
        TZaroSimDevice& device = PlaceDevice(doc, i % 2 == 0 ? "TResistor" : "TXConnection");
        device.SetBounds(16 + (i % Columns) * 104 - canvas.HorzScrollPosition(),
                         16 + (i / Columns) * 96 - canvas.VertScrollPosition(), device.Width(),
                         device.Height());
    }
    for (int k = 0; k < Pairs; ++k) {
        const int resistor = 2 * k;
        const int junction = 2 * k + 1;
        const int next = (k + 1) % Pairs;
        canvas.ConnectPorts(resistor, 1, junction, 0);
        canvas.ConnectPorts(junction, 1, 2 * next, 0);
        canvas.ConnectPorts(junction, 2, 2 * next + 1, 3);
    }
}

struct TBenchWindow {
    TBenchWindow() {
        Window.resize(1280, 800);
        Window.show();
        static_cast<void>(QTest::qWaitForWindowExposed(&Window));
        DrawBigCircuit(Window.Document());
        QApplication::processEvents();
    }
    gui::TCanvasView& View() { return Window.CanvasView(); }
    TCodingPanel& Canvas() { return Window.Document().Canvas(); }

    gui::TFrmMainWnd Window;
};

// Made on first use, gone before the application.
std::unique_ptr<TBenchWindow> BenchWindow;

TBenchWindow& Bench() {
    if (BenchWindow == nullptr) {
        BenchWindow = std::make_unique<TBenchWindow>();
    }
    return *BenchWindow;
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Counts the paint events of the panel widgets, to say how many panels a frame drew.
class TPaintCounter : public QObject {
public:
    int Count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && qobject_cast<gui::TPanelWidget*>(watched)) {
            ++Count;
        }
        return false;
    }
};

// Everything on the visible canvas painted again: wires and every panel with its boxes.
void BM_RepaintWholeCanvas(benchmark::State& state) {
    TBenchWindow& b = Bench();
    TPaintCounter counter;
    for (int i = 0; i < b.Canvas().DragPanelCount(); ++i) {
        b.View().WidgetOf(b.Canvas().DragPanel(i))->installEventFilter(&counter);
    }
    for (auto _ : state) {
        b.View().viewport()->update();
        for (QWidget* child : b.View().viewport()->findChildren<gui::TPanelWidget*>()) {
            child->update();
        }
        b.View().viewport()->repaint();
    }
    state.counters["panels"] = b.Canvas().DragPanelCount();
    state.counters["wires"] = b.Canvas().ConnectorCount();
    state.counters["painted"] =
        benchmark::Counter(counter.Count, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RepaintWholeCanvas)->Unit(benchmark::kMillisecond);

// The drag of one panel, one mouse move per frame.
void BM_DragFrame(benchmark::State& state) {
    TBenchWindow& b = Bench();
    gui::TPanelWidget* widget = b.View().WidgetOf(b.Canvas().DragPanel(42));
    const QPoint grab(48, 6);
    SendMouse(widget, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    QWidget* viewport = b.View().viewport();
    const QPoint start = widget->mapTo(viewport, grab);
    int step = 0;
    for (auto _ : state) {
        const QPoint at = start + QPoint(10 + step % 200, 5 + (step * 3) % 100);
        SendMouse(viewport, QEvent::MouseMove, at, Qt::LeftButton);
        viewport->repaint();
        ++step;
    }
    SendMouse(viewport, QEvent::MouseButtonRelease, start, Qt::NoButton);
}
BENCHMARK(BM_DragFrame)->Unit(benchmark::kMillisecond);

// A wired panel moved back and forth: the drop re-routes its wires.
void BM_DropWiredPanel(benchmark::State& state) {
    TBenchWindow& b = Bench();
    TDragPanel& panel = b.Canvas().DragPanel(43);
    QWidget* viewport = b.View().viewport();
    int step = 0;
    for (auto _ : state) {
        gui::TPanelWidget* widget = b.View().WidgetOf(panel);
        const QPoint from = widget->mapTo(viewport, QPoint(4, 4));
        SendMouse(widget, QEvent::MouseButtonPress, QPoint(4, 4), Qt::LeftButton);
        const QPoint to = from + QPoint(step % 2 == 0 ? 40 : -40, 0);
        SendMouse(viewport, QEvent::MouseMove, to, Qt::LeftButton);
        SendMouse(viewport, QEvent::MouseButtonRelease, to, Qt::NoButton);
        viewport->repaint();
        ++step;
    }
}
BENCHMARK(BM_DropWiredPanel)->Unit(benchmark::kMillisecond);

// One step of the scroll bar: every panel widget moves.
void BM_ScrollStep(benchmark::State& state) {
    TBenchWindow& b = Bench();
    QScrollBar* bar = b.View().horizontalScrollBar();
    int step = 0;
    TPaintCounter counter;
    for (int i = 0; i < b.Canvas().DragPanelCount(); ++i) {
        b.View().WidgetOf(b.Canvas().DragPanel(i))->installEventFilter(&counter);
    }
    for (auto _ : state) {
        bar->setValue(step % 2 == 0 ? 16 : 0);
        b.View().viewport()->repaint();
        ++step;
    }
    state.counters["painted"] =
        benchmark::Counter(counter.Count, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ScrollStep)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gui::SetUpApplication();
    benchmark::Initialize(&argc, argv);
    Bench(); // the drawing is made before any frame is timed
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    BenchWindow.reset();
    return 0;
}
