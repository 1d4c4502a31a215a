#pragma once
// The devices the last failed analysis named, marked on the canvas for as
// long as the document keeps that diagnosis (until the next edit or
// analysis). The panel widgets ask whether they are marked and paint the
// mark over their picture, so the kept pictures stay as they are.

#include "Signal.h"

#include <QColor>
#include <QRect>

#include <vector>

class QPainter;

namespace zaro {
class TDiagnosedDevices;
class TDragPanel;
} // namespace zaro

namespace zaro::gui {

class TCanvasView;

// The colour of the mark: apart from the black, blue and red of the pictures.
inline const QColor DiagnosisMarkColour(255, 140, 0);

// The mark over a panel: a tint and a thick frame inside its edge.
void PaintDiagnosisMark(QPainter& painter, QRect panelRect);

class TDiagnosisHighlight {
public:
    TDiagnosisHighlight(TCanvasView& view, const TDiagnosedDevices& diagnosed);
    ~TDiagnosisHighlight();
    TDiagnosisHighlight(const TDiagnosisHighlight&) = delete;
    TDiagnosisHighlight& operator=(const TDiagnosisHighlight&) = delete;

    bool Marks(const TDragPanel& panel) const;

private:
    void DiagnosisChanged();
    void RepaintPanels(const std::vector<int>& numbers) const;

    TCanvasView& View;
    const TDiagnosedDevices& Diagnosed;
    std::vector<int> Shown; // panel numbers marked on the screen now
    TConnectionList Links;
};

} // namespace zaro::gui
