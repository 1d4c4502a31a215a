// After every step of a user's session the picture a listening view builds
// from the notifications must equal the model's.

#include "ClipboardCommands.h"
#include "DocumentFixture.h"
#include "LabelDevice.h"
#include "RecordingView.h"

namespace zaro::test {
namespace {

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
