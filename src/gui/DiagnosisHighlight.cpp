#include "DiagnosisHighlight.h"

#include "CanvasView.h"
#include "CodingPanel.h"
#include "DiagnosedDevices.h"
#include "DragPanels.h"

#include <QPainter>

namespace zaro::gui {

namespace {
constexpr int MarkWidth = 3;
constexpr int TintAlpha = 48;
} // namespace

void PaintDiagnosisMark(QPainter& painter, QRect panelRect) {
    painter.save();
    QColor tint = DiagnosisMarkColour;
    tint.setAlpha(TintAlpha);
    painter.fillRect(panelRect, tint);
    QPen pen(DiagnosisMarkColour, MarkWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const int inset = MarkWidth / 2;
    painter.drawRect(panelRect.adjusted(inset, inset, -inset - 1, -inset - 1));
    painter.restore();
}

TDiagnosisHighlight::TDiagnosisHighlight(TCanvasView& view, const TDiagnosedDevices& diagnosed)
    : View(view), Diagnosed(diagnosed), Shown(diagnosed.Devices()) {
    View.SetHighlight(this);
    Links += Diagnosed.Changed.Connect([this] { DiagnosisChanged(); });
}

TDiagnosisHighlight::~TDiagnosisHighlight() {
    View.SetHighlight(nullptr);
}

bool TDiagnosisHighlight::Marks(const TDragPanel& panel) const {
    return Diagnosed.Contains(panel.Index());
}

// The diagnosis may end while the canvas is changing its panels: only the
// widgets the view already shows are asked to repaint.
void TDiagnosisHighlight::DiagnosisChanged() {
    RepaintPanels(Shown);
    Shown = Diagnosed.Devices();
    RepaintPanels(Shown);
}

void TDiagnosisHighlight::RepaintPanels(const std::vector<int>& numbers) const {
    const TCodingPanel& canvas = View.Canvas();
    for (const int no : numbers) {
        if (no >= 0 && no < canvas.DragPanelCount()) {
            View.RepaintPanel(canvas.DragPanel(no));
        }
    }
}

} // namespace zaro::gui
