#include "PanelWidget.h"

#include "CanvasView.h"
#include "CodingPanel.h"
#include "CoreDrawing.h"
#include "DevicePlacement.h"
#include "DiagnosisHighlight.h"
#include "DragPanels.h"
#include "ErrorReport.h"
#include "LabelDevice.h"
#include "NoteTextEdit.h"
#include "QtInput.h"
#include "SymbolPictures.h"
#include "ValueBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace zaro::gui {

QString DeviceCaption(const TDragPanel& panel) {
    const std::string className = panel.ClassName();
    for (const TDevicePlacement& placement : DevicePlacements()) {
        if (placement.ClassName == className) {
            return QString::fromUtf8(placement.Caption.data(),
                                     static_cast<qsizetype>(placement.Caption.size()))
                .remove(QLatin1Char('&'));
        }
    }
    return QString::fromStdString(className);
}

TPanelWidget::TPanelWidget(TDragPanel& panel, QWidget* parent) : QWidget(parent), FPanel(panel) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    for (TEditBox* box : panel.EditBoxes()) {
        Boxes.push_back(new TValueBox(panel, *box, this));
    }
    CreateNote();
    FollowBounds();
    setVisible(panel.Visible());
    UpdateAccessibleName();
    Links += panel.Changed.Connect(
        [this](TDragPanel&, TPanelChange change) { PanelChanged(static_cast<int>(change)); });
}

TPanelWidget::~TPanelWidget() = default;

TCanvasView* TPanelWidget::View() const {
    return parentWidget() != nullptr ? qobject_cast<TCanvasView*>(parentWidget()->parentWidget())
                                     : nullptr;
}

void TPanelWidget::UpdateAccessibleName() {
    const QString name =
        DeviceCaption(FPanel) + QStringLiteral(" No. ") + QString::number(FPanel.Index());
    setAccessibleName(name);
    for (std::size_t i = 0; i < Boxes.size(); ++i) {
        const QString what =
            Boxes[i]->Box().ReadOnly() ? QStringLiteral(" 表示値") : QStringLiteral(" 値");
        Boxes[i]->UpdateAccessibleName(name + what + (i == 0 ? QString() : QString::number(i + 1)));
    }
    if (FNote != nullptr) {
        FNote->setAccessibleName(name + QStringLiteral(" 説明"));
    }
}

void TPanelWidget::SetLocked(bool locked) {
    for (TValueBox* box : Boxes) {
        box->SetLocked(locked);
    }
    if (FNote != nullptr) {
        FNote->SetLocked(locked);
    }
}

void TPanelWidget::PanelChanged(int change) {
    switch (static_cast<TPanelChange>(change)) {
    case TPanelChange::Bounds:
        FollowBounds();
        break;
    case TPanelChange::Visibility:
        setVisible(FPanel.Visible());
        break;
    default:
        Repaint();
        if (FNote != nullptr) {
            FNote->FollowNote();
        }
        break;
    }
}

// Qt repaints a moved widget itself; a new size makes the picture anew.
void TPanelWidget::FollowBounds() {
    setGeometry(ToQRect(FPanel.BoundsRect()));
    LayOutNote();
}

// A label's note is edited in place; the label's border around it takes
// the presses that drag the label.
void TPanelWidget::CreateNote() {
    if (auto* label = dynamic_cast<TLabelDevice*>(&FPanel)) {
        FNote = new TNoteTextEdit(*label, this);
    }
}

void TPanelWidget::LayOutNote() {
    if (auto* label = dynamic_cast<TLabelDevice*>(&FPanel); label != nullptr && FNote != nullptr) {
        FNote->setGeometry(ToQRect(label->NoteEditor().BoundsRect()));
    }
}

// --- Painting ----------------------------------------------------------------------

// The picture is drawn once into a pixmap and kept until the panel changes
// it; moving the panel or scrolling only copies it.
void TPanelWidget::paintEvent(QPaintEvent*) {
    const qreal scale = devicePixelRatioF();
    if (Picture.isNull() || Picture.size() != size() * scale ||
        Picture.devicePixelRatio() != scale) {
        Picture = QPixmap(size() * scale);
        Picture.setDevicePixelRatio(scale);
        QPainter p(&Picture);
        PaintPicture(p);
    }
    QPainter p(this);
    p.drawPixmap(0, 0, Picture);
    if (const TCanvasView* view = View(); view != nullptr && view->Marked(FPanel)) {
        PaintDiagnosisMark(p, rect());
    }
    p.end();
    if (const TCodingPanel* canvas = FPanel.Parent()) {
        ReportErrors(canvas->Platform(), [this] { FPanel.Painted(); });
    }
}

void TPanelWidget::Repaint() {
    Picture = QPixmap();
    update();
}

void TPanelWidget::PaintPicture(QPainter& p) const {
    p.fillRect(rect(), ToQColor(FPanel.Color()));
    if (!FPanel.Caption().empty()) {
        p.drawText(rect(), Qt::AlignCenter, QString::fromStdString(FPanel.Caption()));
    }
    const TCodingPanel* canvas = FPanel.Parent();
    if (canvas == nullptr) {
        return;
    }
    const TDragPanelPicture picture = FPanel.Picture();
    p.setPen(ToQPen(picture.Selected ? canvas->SelectedDragPanelPen : canvas->DragPanelPen));
    QPolygon frame;
    for (const TPoint& point : picture.Frame) {
        frame << ToQPoint(point);
    }
    p.drawPolyline(frame);
    p.setFont(ToQFont(canvas->DragPanelPortFont));
    for (const TDragPanelPortPicture& port : picture.Ports) {
        const QRect area = ToQRect(port.Rect);
        p.fillRect(area, ToQColor(canvas->DragPanelPortBrush.Color));
        if (port.ShowCaption && !port.Caption.empty()) {
            p.save();
            p.setClipRect(area);
            p.setPen(ToQColor(canvas->DragPanelPortFont.Color));
            p.drawText(QRect(ToQPoint(port.CaptionOrigin), area.bottomRight()),
                       Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(port.Caption));
            p.restore();
        }
    }
    if (picture.ImagePosition) {
        p.translate(ToQPoint(*picture.ImagePosition));
        PaintSymbol(p, picture.ImageIndex);
    }
}

// --- Mouse -------------------------------------------------------------------------

void TPanelWidget::mousePressEvent(QMouseEvent* event) {
    TCanvasView* view = View();
    if (view != nullptr) {
        view->PanelPressed(event->globalPosition().toPoint());
    }
    Pressed = true;
    const QPoint at = event->position().toPoint();
    const TShiftState shift = ShiftStateOf(*event);
    if (FPanel.Parent() != nullptr) {
        ReportErrors(FPanel.Parent()->Platform(), [&] {
            FPanel.MouseDown(MouseButtonOf(event->button()), shift, at.x(), at.y());
        });
    }
}

void TPanelWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (FPanel.Parent() != nullptr) {
        ReportErrors(FPanel.Parent()->Platform(),
                     [&] { FPanel.MouseMove(ShiftStateOf(*event), at.x(), at.y()); });
    }
}

// A release that no drag took over is the panel's click.
void TPanelWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool click = Pressed && event->button() == Qt::LeftButton && rect().contains(at);
    Pressed = false;
    if (FPanel.Parent() == nullptr) {
        return;
    }
    ReportErrors(FPanel.Parent()->Platform(), [&] {
        FPanel.MouseUp(MouseButtonOf(event->button()), ShiftStateOf(*event), at.x(), at.y());
        if (click) {
            FPanel.Click();
        }
    });
}

void TPanelWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
    if (FPanel.Parent() != nullptr) {
        ReportErrors(FPanel.Parent()->Platform(), [this] { FPanel.DblClick(); });
    }
}

} // namespace zaro::gui
