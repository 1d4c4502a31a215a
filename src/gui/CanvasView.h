#pragma once
// The schematic canvas on the screen: a scroll area whose viewport paints the
// wires and the rubber band of the core's TCodingPanel and holds one panel
// widget per device. It follows the canvas's notifications and hands mouse
// and key input to it; scroll bars and the canvas's scroll state stay one.
// The toolkit drag of a panel is a mouse grab of the viewport: once the
// mouse has moved past the threshold each move is a drag-over, the release
// ends the drag on the canvas or elsewhere, Esc cancels it.

#include "Signal.h"

#include <QAbstractScrollArea>
#include <QPoint>

#include <functional>
#include <map>
#include <memory>

namespace zaro {
class TCodingPanel;
class TDragPanel;
class TPlatform;
} // namespace zaro

namespace zaro::gui {

class TDiagnosisHighlight;
class TPanelWidget;

class TCanvasView : public QAbstractScrollArea {
    Q_OBJECT
public:
    TCanvasView(TCodingPanel& canvas, QWidget* parent = nullptr);
    ~TCanvasView() override;

    TCodingPanel& Canvas() const { return FCanvas; }
    // The widget showing a panel; nullptr for a panel the view does not show.
    TPanelWidget* WidgetOf(const TDragPanel& panel) const;
    int PanelWidgetCount() const { return static_cast<int>(Panels.size()); }

    // What the platform asks for.
    void RepaintPanel(const TDragPanel& panel);
    void RepaintCanvas();
    void BeginPanelDrag(TDragPanel& panel, int threshold);
    // Where the press on a panel happened (global), for the drag it may begin.
    void PanelPressed(QPoint globalPosition) { PanelPress = globalPosition; }
    bool PanelDragActive() const { return Drag.Panel != nullptr; }

    // While an analysis runs no value box takes typing, also one added meanwhile.
    void SetValueBoxesLocked(bool locked);

    // Screen names of the panels follow their numbers.
    void RenameAllPanels();

    // The devices a failed analysis named; none without a highlight.
    void SetHighlight(const TDiagnosisHighlight* highlight) { Highlight = highlight; }
    bool Marked(const TDragPanel& panel) const;

protected:
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct TPanelDrag {
        TDragPanel* Panel = nullptr;
        int Threshold = 0;
        QPoint Start;
        bool Started = false;
    };

    void Listen();
    void AddPanelWidget(int index);
    void RemovePanelWidget(int index);
    void SelectionChanged();
    void SyncScrollBars();
    void ScrollBarMoved();
    void MovingEveryPanel(const std::function<void()>& action);
    void CanvasMouse(QMouseEvent& event);
    void DragMouse(QMouseEvent& event);
    bool CanvasUnderMouse(QPoint viewportPoint) const;
    void EndDrag(bool dropped, QPoint viewportPoint);
    void PaintWires(QPainter& painter) const;
    void PaintRubberBand(QPainter& painter) const;
    TPlatform& Platform() const;

    TCodingPanel& FCanvas;
    std::map<const TDragPanel*, std::unique_ptr<TPanelWidget>> Panels;
    const TDragPanel* SelectedPanel = nullptr;
    TPanelDrag Drag;
    QPoint PanelPress;
    bool SyncingScrollBars = false;
    bool PressedOnCanvas = false;
    bool ValueBoxesLocked = false;
    const TDiagnosisHighlight* Highlight = nullptr;
    TConnectionList Links; // last: detached before the rest goes
};

} // namespace zaro::gui
