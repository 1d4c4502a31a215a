#pragma once
// A view that only listens: it builds its own picture of the canvas from the
// notifications and never reads a list in full again, so a missing or wrong
// notification shows as a difference from the model's picture.

#include "CodingPanel.h"
#include "DragPanels.h"
#include "LabelDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace zaro::test {

// Each visible part of a panel as text, by the change that announces it.
using TPanelAspects = std::map<TPanelChange, std::string>;

inline std::string Text(const TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) +
           "," + std::to_string(r.Bottom);
}

inline std::string ContentOf(const TDragPanel& panel) {
    const auto* label = dynamic_cast<const TLabelDevice*>(&panel);
    if (label == nullptr) {
        return "";
    }
    const std::vector<std::uint8_t>& rtf = label->NoteEditor().Document().Rtf();
    return {rtf.begin(), rtf.end()};
}

inline TPanelAspects AspectsOf(const TDragPanel& panel) {
    std::string ports;
    for (int i = 0; i < panel.PortCount(); ++i) {
        ports += std::to_string(static_cast<int>(panel.PortDirection(i))) + " " +
                 Text(panel.PortRect(i)) + " " + panel.PortCaption(i) + "; ";
    }
    return {{TPanelChange::Bounds, Text(panel.BoundsRect())},
            {TPanelChange::Visibility, panel.Visible() ? "shown" : "hidden"},
            {TPanelChange::Caption, panel.Caption()},
            {TPanelChange::Color, std::to_string(panel.Color().R) + "," +
                                      std::to_string(panel.Color().G) + "," +
                                      std::to_string(panel.Color().B)},
            {TPanelChange::Image, std::to_string(panel.ImageIndex())},
            {TPanelChange::Ports, ports},
            {TPanelChange::Iconized, panel.Iconized() ? "iconized" : "open"},
            {TPanelChange::Content, ContentOf(panel)}};
}

struct TPanelPicture {
    const TDragPanel* Panel = nullptr;
    TPanelAspects Aspects;
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
        out << "panel:";
        for (const auto& [change, text] : panel.Aspects) {
            out << " " << static_cast<int>(change) << "=" << text;
        }
        out << "\n";
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
        p.Panels.push_back({&canvas.DragPanel(i), AspectsOf(canvas.DragPanel(i))});
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
        Picture.Panels.insert(Picture.Panels.begin() + i, {&panel, AspectsOf(panel)});
        Links += panel.Changed.Connect([this](TDragPanel& sender, TPanelChange change) {
            const auto it =
                std::find_if(Picture.Panels.begin(), Picture.Panels.end(),
                             [&](const TPanelPicture& p) { return p.Panel == &sender; });
            ASSERT_NE(it, Picture.Panels.end()) << "a change of a panel the view does not know";
            it->Aspects[change] = AspectsOf(sender)[change];
        });
    }

    const TCodingPanel& Canvas;
    TConnectionList Links;
};

} // namespace zaro::test
