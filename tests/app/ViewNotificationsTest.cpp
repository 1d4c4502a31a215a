// A view that only listens: it builds its own picture of the canvas from the
// notifications and never reads a list in full again. After every step of a
// user's session its picture must equal the model's.

#include "ClipboardCommands.h"
#include "DocumentFixture.h"
#include "LabelDevice.h"

#include <algorithm>
#include <map>
#include <ostream>

namespace zaro::test {
namespace {

// Each visible part of a panel as text, by the change that announces it.
using TPanelAspects = std::map<TPanelChange, std::string>;

std::string Text(const TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) +
           "," + std::to_string(r.Bottom);
}

TPanelAspects AspectsOf(const TDragPanel& panel) {
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
            {TPanelChange::Iconized, panel.Iconized() ? "iconized" : "open"}};
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

std::ostream& operator<<(std::ostream& out, const TCanvasPicture& p) {
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

TWirePicture WireOf(const TConnector& c) {
    TWirePicture wire{c.Routed(), {}};
    for (int i = 0; i <= c.LineCount(); ++i) {
        wire.Points.push_back(c.Point(i));
    }
    return wire;
}

std::vector<std::int32_t> ViewportOf(const TCodingPanel& canvas) {
    return {canvas.Width(),
            canvas.Height(),
            canvas.HorzScrollPosition(),
            canvas.VertScrollPosition(),
            canvas.HorzScrollRange(),
            canvas.VertScrollRange()};
}

TCanvasPicture PictureOf(const TCodingPanel& canvas) {
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

class ViewNotificationsTest : public TDocumentFixture {
protected:
    void ClickPort(TDragPanel& panel, int port) {
        const TPoint p = panel.PortRect(port).Center();
        panel.MouseDown(TMouseButton::mbLeft, {}, p.x, p.y);
    }
    // A press at `grab` inside the panel, a move over the canvas and the drop at `drop`.
    void Drag(TDragPanel& panel, TPoint grab, TPoint drop) {
        panel.MouseDown(TMouseButton::mbLeft, {}, grab.x, grab.y);
        Doc.Canvas().DragOver(&panel, true, drop.x, drop.y);
        Doc.Canvas().EndPanelDrag(panel, TDropTarget::dtCanvas, drop.x, drop.y);
    }

    TRecordingView View{Doc.Canvas()};
};

TEST_F(ViewNotificationsTest, TheViewsPictureFollowsEveryStepOfASession) {
    const auto step = [&](const char* what) {
        EXPECT_EQ(View.Picture, PictureOf(Doc.Canvas())) << "after: " << what;
    };
    TZaroSimDevice& source = Place("TVDC", 16, 16);
    TZaroSimDevice& meter = Place("TVoltMeter", 160, 16);
    TZaroSimDevice& resistor = Place("TResistor", 300, 16);
    auto& label = static_cast<TLabelDevice&>(Place("TLabelDevice", 40, 200));
    step("placing four devices");
    ClickPort(source, 1);
    ClickPort(meter, 0);
    ClickPort(meter, 1);
    ClickPort(resistor, 0);
    ClickPort(source, 0);
    ClickPort(resistor, 1);
    step("wiring by clicking ports");
    Drag(meter, {20, 20}, {200, 120});
    step("dragging the middle device");
    Drag(label, {label.Width() - 4, label.Height() - 4}, {label.Left() + 200, label.Top() + 120});
    step("resizing the label");
    Doc.Canvas().SetSelectedDragPanelNo(meter.Index());
    step("selecting");
    Doc.Canvas().KeyDown(46, {});
    step("deleting the middle device with its wires");
    Doc.Canvas().SetSelectedDragPanelNo(0);
    AtnEditCopy(Doc);
    AtnEditPaste(Doc);
    step("pasting");
    Doc.Canvas().SetHorzScrollPosition(120);
    Doc.Canvas().SetVertScrollPosition(40);
    step("scrolling");
    Doc.Canvas().SetSize(400, 300);
    step("resizing the window");
    SaveModel(Doc, Folder / "session.zsm");
    step("saving, which scrolls back to the origin");
    Doc.Canvas().SetHorzScrollPosition(64);
    LoadModel(Doc, Folder / "session.zsm");
    step("loading");
    ASSERT_EQ(View.Picture.Panels.size(), 4u);
    EXPECT_EQ(View.Picture.Wires.size(), 1u);
}

TEST_F(ViewNotificationsTest, RemovalIsAnnouncedBeforeTheNumbersShift) {
    TZaroSimDevice& first = Place("TResistor", 0, 0);
    TZaroSimDevice& second = Place("TResistor", 100, 0);
    TZaroSimDevice& third = Place("TResistor", 200, 0);
    Wire(first, 1, second, 0);
    Wire(second, 1, third, 0);
    std::vector<std::string> events;
    TConnectionList links;
    links += Doc.Canvas().WireRemoved.Connect([&](int i) {
        events.push_back("wire " + std::to_string(i) + " of " +
                         std::to_string(Doc.Canvas().ConnectorCount()));
    });
    links += Doc.Canvas().PanelAboutToBeRemoved.Connect([&](int i) {
        events.push_back("panel " + std::to_string(i) + " of " +
                         std::to_string(Doc.Canvas().DragPanelCount()) + ", " +
                         std::to_string(Doc.Canvas().DragPanel(2).Index()));
    });
    Doc.Canvas().DeleteDragPanel(second.Index());
    EXPECT_EQ(events, (std::vector<std::string>{"wire 0 of 1", "wire 0 of 0", "panel 1 of 3, 2"}));
    EXPECT_EQ(third.Index(), 1);
}

// --- Panels announce only real changes --------------------------------------------------

struct TPanelSetterCase {
    const char* Name;
    std::function<void(TDragPanel&)> Set;
    TPanelChange Change;
    bool Repaints;
};

class PanelChangeTest : public TDocumentFixture,
                        public ::testing::WithParamInterface<TPanelSetterCase> {};

TEST_P(PanelChangeTest, IsAnnouncedOnceAndOnlyWhenTheValueChanges) {
    TDragPanel& panel = Place("TResistor", 0, 0);
    std::vector<TPanelChange> changes;
    panel.Changed.Connect([&](TDragPanel&, TPanelChange change) { changes.push_back(change); });
    const int repaints = Platform.Count("RepaintPanel");
    GetParam().Set(panel);
    EXPECT_EQ(changes, std::vector<TPanelChange>{GetParam().Change});
    EXPECT_EQ(Platform.Count("RepaintPanel") > repaints, GetParam().Repaints);
    GetParam().Set(panel);
    EXPECT_EQ(changes.size(), 1u) << "the same value again";
}

INSTANTIATE_TEST_SUITE_P(
    Setters, PanelChangeTest,
    ::testing::Values(
        TPanelSetterCase{"Bounds", [](TDragPanel& p) { p.SetBounds(8, 8, 96, 64); },
                         TPanelChange::Bounds, true},
        TPanelSetterCase{"Hide", [](TDragPanel& p) { p.Hide(); }, TPanelChange::Visibility, true},
        TPanelSetterCase{"Caption", [](TDragPanel& p) { p.SetCaption("R1"); },
                         TPanelChange::Caption, true},
        TPanelSetterCase{"Color", [](TDragPanel& p) { p.SetColor(clLime); }, TPanelChange::Color,
                         true},
        TPanelSetterCase{"ImageIndex", [](TDragPanel& p) { p.SetImageIndex(3); },
                         TPanelChange::Image, true},
        TPanelSetterCase{"ResizeMark",
                         [](TDragPanel& p) { p.SetResizeStyle(TDragPanelResizeStyle::dprsLine); },
                         TPanelChange::Image, false},
        TPanelSetterCase{"PortCaption", [](TDragPanel& p) { p.SetPortCaption(0, "x"); },
                         TPanelChange::Ports, false},
        TPanelSetterCase{"PortRect",
                         [](TDragPanel& p) {
                             p.SetPortRect(1, {0, 0, 9, 9});
                         },
                         TPanelChange::Ports, false},
        TPanelSetterCase{"PortCount", [](TDragPanel& p) { p.SetPortCount(3); }, TPanelChange::Ports,
                         false},
        TPanelSetterCase{"Iconized", [](TDragPanel& p) { p.SetIconized(true); },
                         TPanelChange::Iconized, true}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace zaro::test
