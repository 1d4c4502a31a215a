#pragma once
// A view that only listens: it builds its own picture of the canvas from the
// notifications and never reads a list in full again, so a missing or wrong
// notification shows as a difference from the model's picture.

#include "CodingPanel.h"
#include "DragPanels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

namespace zaro::test {

struct TPortPicture {
    TPortDirection Direction;
    TRect Rect;
    std::string Caption;
    bool operator==(const TPortPicture&) const = default;
};

struct TPanelPicture {
    const TDragPanel* Panel = nullptr;
    TRect Bounds;
    bool Visible = false;
    std::string Caption;
    int ImageIndex = -1;
    bool Iconized = false;
    std::vector<TPortPicture> Ports;
    bool operator==(const TPanelPicture&) const = default;
};

struct TWirePicture {
    bool Routed = false;
    std::vector<TPoint> Points;
    bool operator==(const TWirePicture&) const = default;
};

struct TCanvasPicture {
    std::vector<TPanelPicture> Panels;
    std::vector<TWirePicture> Wires;
    TCanvasSelection Selection;
    std::vector<std::int32_t> Viewport; // size, scroll positions, scroll ranges
    bool operator==(const TCanvasPicture&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TCanvasPicture& p) {
    for (const TPanelPicture& panel : p.Panels) {
        out << "panel (" << panel.Bounds.Left << "," << panel.Bounds.Top << ","
            << panel.Bounds.Width() << "x" << panel.Bounds.Height() << ") visible " << panel.Visible
            << " image " << panel.ImageIndex << " ports " << panel.Ports.size() << "\n";
    }
    for (const TWirePicture& wire : p.Wires) {
        out << "wire routed " << wire.Routed << ":";
        for (TPoint q : wire.Points) {
            out << " (" << q.x << "," << q.y << ")";
        }
        out << "\n";
    }
    out << "selection " << p.Selection.DragPanelNo << "/" << p.Selection.ConnectorNo << "/"
        << p.Selection.LineNo << ", viewport";
    for (std::int32_t v : p.Viewport) {
        out << " " << v;
    }
    return out;
}

inline std::vector<TPortPicture> PortsOf(const TDragPanel& panel) {
    std::vector<TPortPicture> ports;
    for (int i = 0; i < panel.PortCount(); ++i) {
        ports.push_back({panel.PortDirection(i), panel.PortRect(i), panel.PortCaption(i)});
    }
    return ports;
}

inline TWirePicture WireOf(const TConnector& c) {
    TWirePicture wire{c.Routed(), {}};
    for (int i = 0; i <= c.LineCount(); ++i) {
        wire.Points.push_back(c.Point(i));
    }
    return wire;
}

inline std::vector<std::int32_t> ViewportOf(const TCodingPanel& canvas) {
    return {canvas.Width(),
            canvas.Height(),
            canvas.HorzScrollPosition(),
            canvas.VertScrollPosition(),
            canvas.HorzScrollRange(),
            canvas.VertScrollRange()};
}

inline TCanvasPicture PictureOf(const TCodingPanel& canvas) {
    TCanvasPicture p;
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        const TDragPanel& d = canvas.DragPanel(i);
        p.Panels.push_back({&d, d.BoundsRect(), d.Visible(), d.Caption(), d.ImageIndex(),
                            d.Iconized(), PortsOf(d)});
    }
    for (int i = 0; i < canvas.ConnectorCount(); ++i) {
        p.Wires.push_back(WireOf(canvas.Connector(i)));
    }
    p.Selection = canvas.Selection();
    p.Viewport = ViewportOf(canvas);
    return p;
}

// Refreshes only what each event names, so a missing event shows as a difference.
class TRecordingView {
public:
    explicit TRecordingView(const TCodingPanel& canvas) : Canvas(canvas) {
        Picture = PictureOf(canvas);
        Links += canvas.PanelInserted.Connect([this](int i) { Inserted(i); });
        Links += canvas.PanelAboutToBeRemoved.Connect([this](int i) {
            EXPECT_EQ(Picture.Panels.at(i).Panel, &Canvas.DragPanel(i)) << "still numbered";
            Picture.Panels.erase(Picture.Panels.begin() + i);
        });
        Links += canvas.PanelRemoved.Connect([this](int i) {
            EXPECT_EQ(Canvas.DragPanelCount(), static_cast<int>(Picture.Panels.size())) << "gone";
            for (int k = i; k < Canvas.DragPanelCount(); ++k) {
                EXPECT_EQ(Canvas.DragPanel(k).Index(), k) << "renumbered";
            }
        });
        Links += canvas.WireAdded.Connect([this](int i) {
            Picture.Wires.insert(Picture.Wires.begin() + i, WireOf(Canvas.Connector(i)));
        });
        Links += canvas.WireRemoved.Connect(
            [this](int i) { Picture.Wires.erase(Picture.Wires.begin() + i); });
        Links += canvas.WireRerouted.Connect(
            [this](int i) { Picture.Wires.at(i) = WireOf(Canvas.Connector(i)); });
        Links +=
            canvas.SelectionChanged.Connect([this] { Picture.Selection = Canvas.Selection(); });
        Links += canvas.SizeChanged.Connect([this] { Picture.Viewport = ViewportOf(Canvas); });
        Links += canvas.ScrollChanged.Connect([this] { Picture.Viewport = ViewportOf(Canvas); });
    }

    TCanvasPicture Picture;

private:
    void Inserted(int i) {
        const TDragPanel& panel = Canvas.DragPanel(i);
        Picture.Panels.insert(Picture.Panels.begin() + i,
                              {&panel, panel.BoundsRect(), panel.Visible(), panel.Caption(),
                               panel.ImageIndex(), panel.Iconized(), PortsOf(panel)});
        Links += panel.Changed.Connect(
            [this](TDragPanel& sender, TPanelChange change) { Changed(sender, change); });
    }

    void Changed(const TDragPanel& panel, TPanelChange change) {
        const auto it = std::find_if(Picture.Panels.begin(), Picture.Panels.end(),
                                     [&](const TPanelPicture& p) { return p.Panel == &panel; });
        ASSERT_NE(it, Picture.Panels.end()) << "a change of a panel the view does not know";
        switch (change) {
        case TPanelChange::Bounds:
            it->Bounds = panel.BoundsRect();
            break;
        case TPanelChange::Visibility:
            it->Visible = panel.Visible();
            break;
        case TPanelChange::Caption:
            it->Caption = panel.Caption();
            break;
        case TPanelChange::Image:
            it->ImageIndex = panel.ImageIndex();
            break;
        case TPanelChange::Ports:
            it->Ports = PortsOf(panel);
            break;
        case TPanelChange::Iconized:
            it->Iconized = panel.Iconized();
            break;
        case TPanelChange::Color:
            break;
        }
    }

    const TCodingPanel& Canvas;
    TConnectionList Links;
};

} // namespace zaro::test
