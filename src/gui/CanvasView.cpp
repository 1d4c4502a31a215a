#include "CanvasView.h"

#include "CodingPanel.h"
#include "CoreDrawing.h"
#include "DiagnosisHighlight.h"
#include "DragPanels.h"
#include "ErrorReport.h"
#include "PanelWidget.h"
#include "QtInput.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace zaro::gui {

TCanvasView::TCanvasView(TCodingPanel& canvas, QWidget* parent)
    : QAbstractScrollArea(parent), FCanvas(canvas) {
    setObjectName(QStringLiteral("Canvas"));
    setAccessibleName(QStringLiteral("回路図"));
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setMouseTracking(true);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        bar->setTracking(true);
        connect(bar, &QScrollBar::valueChanged, this, &TCanvasView::ScrollBarMoved);
    }
    Listen();
    for (int i = 0; i < FCanvas.DragPanelCount(); ++i) {
        AddPanelWidget(i);
    }
    SyncScrollBars();
}

TCanvasView::~TCanvasView() {
    if (viewport()->mouseGrabber() == viewport()) {
        viewport()->releaseMouse();
    }
}

void TCanvasView::Listen() {
    Links += FCanvas.PanelInserted.Connect([this](int i) { AddPanelWidget(i); });
    Links += FCanvas.PanelAboutToBeRemoved.Connect([this](int i) { RemovePanelWidget(i); });
    Links += FCanvas.PanelRemoved.Connect([this](int) { RenameAllPanels(); });
    Links += FCanvas.WireAdded.Connect([this](int) { RepaintCanvas(); });
    Links += FCanvas.WireRemoved.Connect([this](int) { RepaintCanvas(); });
    Links += FCanvas.WireRerouted.Connect([this](int) { RepaintCanvas(); });
    Links += FCanvas.RubberBandChanged.Connect([this] { RepaintCanvas(); });
    Links += FCanvas.SelectionChanged.Connect([this] { SelectionChanged(); });
    Links += FCanvas.ScrollChanged.Connect([this] { SyncScrollBars(); });
}

TPlatform& TCanvasView::Platform() const {
    return FCanvas.Platform();
}

TPanelWidget* TCanvasView::WidgetOf(const TDragPanel& panel) const {
    const auto it = Panels.find(&panel);
    return it == Panels.end() ? nullptr : it->second.get();
}

void TCanvasView::AddPanelWidget(int index) {
    TDragPanel& panel = FCanvas.DragPanel(index);
    auto widget = std::make_unique<TPanelWidget>(panel, viewport());
    widget->SetLocked(ValueBoxesLocked);
    Panels[&panel] = std::move(widget);
}

void TCanvasView::RemovePanelWidget(int index) {
    const TDragPanel& panel = FCanvas.DragPanel(index);
    if (SelectedPanel == &panel) {
        SelectedPanel = nullptr;
    }
    if (Drag.Panel == &panel) {
        Drag = {};
        viewport()->releaseMouse();
    }
    Panels.erase(&panel);
}

void TCanvasView::SetValueBoxesLocked(bool locked) {
    ValueBoxesLocked = locked;
    for (const auto& entry : Panels) {
        entry.second->SetLocked(locked);
    }
}

// The numbers after a removed panel move down: their names follow.
void TCanvasView::RenameAllPanels() {
    for (const auto& entry : Panels) {
        entry.second->UpdateAccessibleName();
    }
}

// The core asks after moves too, which change nothing in the picture; what
// does change it is announced by the panel or the selection.
void TCanvasView::RepaintPanel(const TDragPanel& panel) {
    if (TPanelWidget* widget = WidgetOf(panel)) {
        widget->update();
    }
}

bool TCanvasView::Marked(const TDragPanel& panel) const {
    return Highlight != nullptr && Highlight->Marks(panel);
}

void TCanvasView::RepaintCanvas() {
    viewport()->update();
}

// Only the panel that lost and the one that gained the selection change their frame.
void TCanvasView::SelectionChanged() {
    const int selected = FCanvas.SelectedDragPanelNo();
    const TDragPanel* now = selected >= 0 && selected < FCanvas.DragPanelCount()
                                ? &FCanvas.DragPanel(selected)
                                : nullptr;
    for (const TDragPanel* panel : {SelectedPanel, now}) {
        if (TPanelWidget* widget = panel != nullptr ? WidgetOf(*panel) : nullptr) {
            widget->Repaint();
        }
    }
    SelectedPanel = now;
    RepaintCanvas();
}

// --- Scrolling ---------------------------------------------------------------------

void TCanvasView::SyncScrollBars() {
    SyncingScrollBars = true;
    const QSize size = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, FCanvas.HorzScrollRange() - size.width()));
    h->setPageStep(size.width());
    h->setSingleStep(FCanvas.DragPanelGridPitch() * 2);
    h->setValue(FCanvas.HorzScrollPosition());
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, FCanvas.VertScrollRange() - size.height()));
    v->setPageStep(size.height());
    v->setSingleStep(FCanvas.DragPanelGridPitch() * 2);
    v->setValue(FCanvas.VertScrollPosition());
    SyncingScrollBars = false;
    RepaintCanvas();
}

void TCanvasView::ScrollBarMoved() {
    if (SyncingScrollBars) {
        return;
    }
    MovingEveryPanel([this] {
        FCanvas.SetHorzScrollPosition(horizontalScrollBar()->value());
        FCanvas.SetVertScrollPosition(verticalScrollBar()->value());
    });
}

// Scrolling moves every panel widget; the viewport repaints once afterwards
// instead of after each move.
void TCanvasView::MovingEveryPanel(const std::function<void()>& action) {
    viewport()->setUpdatesEnabled(false);
    ReportErrors(Platform(), action);
    viewport()->setUpdatesEnabled(true);
}

// The canvas moves its panels itself; the view only repaints.
void TCanvasView::scrollContentsBy(int, int) {
    RepaintCanvas();
}

void TCanvasView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    ReportErrors(Platform(),
                 [this] { FCanvas.SetSize(viewport()->width(), viewport()->height()); });
    SyncScrollBars();
}

// --- Mouse and keys ----------------------------------------------------------------

bool TCanvasView::viewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto& mouse = static_cast<QMouseEvent&>(*event);
        if (Drag.Panel != nullptr) {
            DragMouse(mouse);
        } else {
            CanvasMouse(mouse);
        }
        return true;
    }
    case QEvent::Paint:
        paintEvent(static_cast<QPaintEvent*>(event));
        return true;
    default:
        return QAbstractScrollArea::viewportEvent(event);
    }
}

// A release after a press on the canvas is also its click.
void TCanvasView::CanvasMouse(QMouseEvent& event) {
    const QPoint p = event.position().toPoint();
    const TShiftState shift = ShiftStateOf(event);
    const bool panning = FCanvas.Status() == TCodingPanelStatus::cpsDraggingBackground;
    const auto handle = [&] {
        switch (event.type()) {
        case QEvent::MouseButtonPress:
            PressedOnCanvas = true;
            FCanvas.MouseDown(MouseButtonOf(event.button()), shift, p.x(), p.y());
            break;
        case QEvent::MouseButtonDblClick:
            FCanvas.MouseDown(MouseButtonOf(event.button()), shift, p.x(), p.y());
            FCanvas.DblClick();
            break;
        case QEvent::MouseMove:
            FCanvas.MouseMove(shift, p.x(), p.y());
            break;
        case QEvent::MouseButtonRelease: {
            const bool click = PressedOnCanvas && event.button() == Qt::LeftButton;
            PressedOnCanvas = false;
            FCanvas.MouseUp(MouseButtonOf(event.button()), shift, p.x(), p.y());
            if (click && viewport()->rect().contains(p)) {
                FCanvas.Click();
            }
            break;
        }
        default:
            break;
        }
    };
    if (panning) {
        MovingEveryPanel(handle);
    } else {
        ReportErrors(Platform(), handle);
    }
}

void TCanvasView::BeginPanelDrag(TDragPanel& panel, int threshold) {
    Drag = {&panel, threshold, viewport()->mapFromGlobal(PanelPress), false};
    viewport()->grabMouse();
}

bool TCanvasView::CanvasUnderMouse(QPoint p) const {
    return viewport()->rect().contains(p) && viewport()->childAt(p) == nullptr;
}

void TCanvasView::DragMouse(QMouseEvent& event) {
    const QPoint p = event.position().toPoint();
    if (event.type() == QEvent::MouseMove) {
        if (!Drag.Started && (p - Drag.Start).manhattanLength() >= Drag.Threshold) {
            Drag.Started = true;
        }
        if (Drag.Started) {
            TDragPanel* panel = Drag.Panel;
            bool accepted = false;
            ReportErrors(Platform(), [&] {
                accepted = FCanvas.DragOver(panel, CanvasUnderMouse(p), p.x(), p.y());
            });
            viewport()->setCursor(accepted ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
        }
    } else if (event.type() == QEvent::MouseButtonRelease) {
        EndDrag(Drag.Started && CanvasUnderMouse(p), p);
    }
}

// The panel was pressed: whether it was dragged or not, the release clicks it.
void TCanvasView::EndDrag(bool dropped, QPoint p) {
    TDragPanel* panel = Drag.Panel;
    Drag = {};
    viewport()->releaseMouse();
    viewport()->unsetCursor();
    ReportErrors(Platform(), [&] {
        FCanvas.EndPanelDrag(*panel, dropped ? TDropTarget::dtCanvas : TDropTarget::dtElsewhere,
                             p.x(), p.y());
        panel->Click();
    });
}

void TCanvasView::keyPressEvent(QKeyEvent* event) {
    if (Drag.Panel != nullptr && event->key() == Qt::Key_Escape) {
        EndDrag(false, {});
        return;
    }
    const int key = VirtualKeyOf(event->key());
    ReportErrors(Platform(), [&] { FCanvas.KeyDown(key, ShiftStateOf(event->modifiers())); });
    if (event->key() != Qt::Key_Delete) {
        QAbstractScrollArea::keyPressEvent(event); // arrows and pages scroll
    }
}

// --- Painting ----------------------------------------------------------------------

void TCanvasView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    PaintWires(painter);
    PaintRubberBand(painter);
}

void TCanvasView::PaintWires(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < FCanvas.ConnectorCount(); ++i) {
        for (const TConnectorSegment& segment : FCanvas.Connector(i).Draw()) {
            QPen pen = ToQPen(FCanvas.PenOf(segment.Pen));
            pen.setCapStyle(Qt::SquareCap);
            painter.setPen(pen);
            painter.drawLine(ToQPoint(segment.From), ToQPoint(segment.To));
        }
    }
}

// The band inverts what lies under it, as its pen says.
void TCanvasView::PaintRubberBand(QPainter& painter) const {
    if (!FCanvas.RubberBandShown()) {
        return;
    }
    const TRect r = FCanvas.RubberBandRect();
    const QPoint scroll(FCanvas.HorzScrollPosition(), FCanvas.VertScrollPosition());
    QPen pen = ToQPen(FCanvas.RubberBandPen);
    if (FCanvas.RubberBandPen.Mode == TPenMode::pmNot) {
        pen.setColor(Qt::white);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    }
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    if (FCanvas.RubberBandKind() == TRubberBandKind::rbkLine) {
        painter.drawLine(QPoint(r.Left, r.Top) - scroll, QPoint(r.Right, r.Bottom) - scroll);
    } else {
        painter.drawRect(QRect(QPoint(r.Left, r.Top) - scroll, QSize(r.Width(), r.Height())));
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

} // namespace zaro::gui
