#pragma once
// The user's gestures on a document's canvas, as the view hands them on:
// presses on ports, panel drags and resizes, wire segment drags and the
// Shift+Ctrl press, all in the coordinates the view reports.

#include "CircuitDocument.h"

namespace zaro::test {

// A left press on the middle of a port, in the panel's own coordinates.
inline void PressPort(TDragPanel& panel, int port) {
    const TPoint p = panel.PortRect(port).Center();
    panel.MouseDown(TMouseButton::mbLeft, {}, p.x, p.y);
}

// A press at `grab` inside the panel, a move over the canvas and the drop at
// `drop`, in client coordinates of the canvas.
inline void DragPanel(TCircuitDocument& document, TDragPanel& panel, TPoint grab, TPoint drop) {
    panel.MouseDown(TMouseButton::mbLeft, {}, grab.x, grab.y);
    document.Canvas().DragOver(&panel, true, drop.x, drop.y);
    document.Canvas().EndPanelDrag(panel, TDropTarget::dtCanvas, drop.x, drop.y);
}

// Grabs the resize corner and drops it `by` further.
inline void ResizePanel(TCircuitDocument& document, TDragPanel& panel, TPoint by) {
    DragPanel(document, panel, {panel.Width() - 2, panel.Height() - 2},
              {panel.Left() + panel.Width() + by.x, panel.Top() + panel.Height() + by.y});
}

// The middle of inner segment `line` of a wire, in client coordinates.
inline TPoint OnSegment(const TCodingPanel& canvas, int wire, int line) {
    const TConnector& c = canvas.Connector(wire);
    return TRect(c.Point(line).x, c.Point(line).y, c.Point(line + 1).x, c.Point(line + 1).y)
               .Center() -
           canvas.ScrollPosition();
}

// Presses on the segment and releases it `by` further.
inline void DragSegment(TCodingPanel& canvas, int wire, int line, TPoint by) {
    const TPoint p = OnSegment(canvas, wire, line);
    canvas.MouseDown(TMouseButton::mbLeft, {}, p.x, p.y);
    canvas.MouseMove({}, p.x + by.x, p.y + by.y);
    canvas.MouseUp(TMouseButton::mbLeft, {}, p.x + by.x, p.y + by.y);
}

// The Shift+Ctrl press that deletes the wire under it.
inline void ShiftCtrlPress(TCodingPanel& canvas, int wire, int line) {
    const TPoint p = OnSegment(canvas, wire, line);
    canvas.MouseDown(TMouseButton::mbLeft, TShiftFlag::ssShift | TShiftFlag::ssCtrl, p.x, p.y);
    canvas.MouseUp(TMouseButton::mbLeft, {}, p.x, p.y);
}

} // namespace zaro::test
