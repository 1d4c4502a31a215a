#pragma once
// A canvas on the recording platform with helpers that read like the user's
// gestures: presses, moves and releases on the canvas, port clicks and panel
// drags that go through the panels' own press logic.

#include "CodingPanel.h"
#include "DragPanels.h"
#include "FakePlatform.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

namespace zaro {

inline void PrintTo(const TPoint& p, std::ostream* os) {
    *os << "(" << p.x << ", " << p.y << ")";
}

inline void PrintTo(const TRect& r, std::ostream* os) {
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

} // namespace zaro

namespace zaro::test {

// Ports of a four-port panel: 0 left, 1 right, 2 top, 3 bottom.
inline constexpr int PortLeft = 0;
inline constexpr int PortRight = 1;
inline constexpr int PortUp = 2;
inline constexpr int PortDown = 3;

class CodingPanelFixture : public ::testing::Test {
protected:
    TFakePlatform Platform;
    TCodingPanel Canvas{Platform};

    // A 64 x 64 four-port panel at client position (left, top).
    TDragPanel& AddPanel(int left, int top) {
        auto panel = std::make_unique<TDragPanel4P>();
        panel->SetBounds(left, top, 64, 64);
        return Canvas.AddDragPanel(std::move(panel));
    }

    // At connector pitch 4, panel 0 at (96, 96) and panel 1 at (0, 0) joined
    // by wire 0 from the left port of 0 to the right port of 1:
    // (96,128) (88,128) (88,80) (72,80) (72,32) (64,32).
    void AddFiveSegmentWire() {
        Canvas.SetConnectorGridPitch(4);
        AddPanel(96, 96);
        AddPanel(0, 0);
        Canvas.ConnectPorts(0, PortLeft, 1, PortRight);
    }

    void Press(int x, int y, TShiftState shift = {}) {
        Canvas.MouseDown(TMouseButton::mbLeft, shift, x, y);
    }
    void Move(int x, int y) { Canvas.MouseMove({}, x, y); }
    void Release(int x, int y) { Canvas.MouseUp(TMouseButton::mbLeft, {}, x, y); }

    // A left press on the middle of a port, in the panel's own coordinates.
    void ClickPort(TDragPanel& panel, int port) {
        const TPoint p = panel.PortRect(port).Center();
        panel.MouseDown(TMouseButton::mbLeft, {}, p.x, p.y);
        panel.MouseUp(TMouseButton::mbLeft, {}, p.x, p.y);
    }

    void Connect(TDragPanel& a, int portA, TDragPanel& b, int portB) {
        ClickPort(a, portA);
        ClickPort(b, portB);
    }

    // Grabs the panel at `grab` (panel coordinates), drags it over the canvas
    // and drops it at client point `drop`.
    void DragPanelTo(TDragPanel& panel, TPoint grab, TPoint drop) {
        panel.MouseDown(TMouseButton::mbLeft, {}, grab.x, grab.y);
        Canvas.DragOver(&panel, true, drop.x, drop.y);
        Canvas.EndPanelDrag(panel, TDropTarget::dtCanvas, drop.x, drop.y);
    }

    std::vector<TPoint> Route(int connectorNo) const {
        const TConnector& c = Canvas.Connector(connectorNo);
        std::vector<TPoint> points;
        for (int i = 0; i <= c.LineCount(); ++i) {
            points.push_back(c.Point(i));
        }
        return points;
    }
};

} // namespace zaro::test
