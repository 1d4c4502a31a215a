#pragma once
// One device panel on the canvas: paints the panel's picture (frame, ports,
// symbol), holds the widgets of its value boxes (and a label's note), and
// hands mouse input to the panel in its own coordinates. It follows the
// panel's change notifications; its screen name is the device's class
// caption and number.

#include "Signal.h"

#include <QPixmap>
#include <QWidget>

#include <vector>

class QPainter;

namespace zaro {
class TDragPanel;
}

namespace zaro::gui {

class TCanvasView;
class TNoteTextEdit;
class TValueBox;

// The class caption of a device for people ("Resistor(抵抗器)"), or its
// class name when it is no device of the palette.
QString DeviceCaption(const TDragPanel& panel);

class TPanelWidget : public QWidget {
    Q_OBJECT
public:
    TPanelWidget(TDragPanel& panel, QWidget* parent);
    ~TPanelWidget() override;

    TDragPanel& Panel() const { return FPanel; }
    const std::vector<TValueBox*>& ValueBoxes() const { return Boxes; }
    TNoteTextEdit* Note() const { return FNote; }

    void UpdateAccessibleName();
    // Draws the panel's picture afresh: something in it has changed.
    void Repaint();
    // While an analysis runs the value boxes take no typing.
    void SetLocked(bool locked);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void PanelChanged(int change);
    void FollowBounds();
    void CreateNote();
    void LayOutNote();
    void PaintPicture(QPainter& painter) const;
    TCanvasView* View() const;

    TDragPanel& FPanel;
    std::vector<TValueBox*> Boxes;
    TNoteTextEdit* FNote = nullptr;
    QPixmap Picture; // null: to be drawn at the next paint
    bool Pressed = false;
    TConnectionList Links;
};

} // namespace zaro::gui
