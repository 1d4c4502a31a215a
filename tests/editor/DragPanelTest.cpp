#include "CaseNames.h"
#include "CodingPanelFixture.h"
#include "ComponentText.h"
#include "DragPanels.h"
#include "Grid.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zaro::test {
namespace {

using ::testing::ElementsAre;
using Bytes = std::vector<std::uint8_t>;

constexpr auto pdUp = TPortDirection::pdUp;
constexpr auto pdDown = TPortDirection::pdDown;
constexpr auto pdLeft = TPortDirection::pdLeft;
constexpr auto pdRight = TPortDirection::pdRight;
constexpr auto mbLeft = TMouseButton::mbLeft;
constexpr auto mbRight = TMouseButton::mbRight;

Bytes Fingerprint(TDragPanel& panel) {
    TMemoryStream s;
    panel.SaveToStream(s);
    return s.Bytes();
}

std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EZaroError& e) {
        return e.Message();
    }
    return "(no error)";
}

// --- Fields and ports ------------------------------------------------------------

TEST(DragPanel, NewPanelIsASixtyFourPixelSquareWithoutPorts) {
    TDragPanel p;
    EXPECT_EQ(p.BoundsRect(), (TRect{0, 0, 64, 64}));
    EXPECT_EQ(p.PortCount(), 0);
    EXPECT_EQ(p.Index(), -1);
    EXPECT_EQ(p.ImageIndex(), -1);
    EXPECT_EQ(p.MinWidth(), 32);
    EXPECT_EQ(p.MinHeight(), 32);
    EXPECT_EQ(p.MaxWidth(), -1);
    EXPECT_EQ(p.MaxHeight(), -1);
    EXPECT_EQ(p.ResizeStyle(), TDragPanelResizeStyle::dprsFixed);
    EXPECT_FALSE(p.CanIconize() || p.Iconized() || p.ImageHorzCenter() || p.ImageVertCenter());
    EXPECT_EQ(p.Parent(), nullptr);
    EXPECT_TRUE(p.Visible());
    EXPECT_EQ(p.ClassName(), "TDragPanel");
}

TEST(DragPanel4P, HasOnePortInTheMiddleOfEachSide) {
    TDragPanel4P p;
    ASSERT_EQ(p.PortCount(), 4);
    const std::pair<TPortDirection, TRect> expected[4] = {{pdLeft, {0, 27, 4, 36}},
                                                          {pdRight, {59, 27, 64, 36}},
                                                          {pdUp, {27, 0, 36, 4}},
                                                          {pdDown, {27, 59, 36, 64}}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(p.PortDirection(i), expected[i].first) << i;
        EXPECT_EQ(p.PortRect(i), expected[i].second) << i;
        EXPECT_EQ(p.PortConnectorNo(i), -1);
        EXPECT_EQ(p.PortCaption(i), "");
    }
    EXPECT_EQ(p.ClassName(), "TDragPanel4P");
}

TEST(DragPanelPorts, GrowingAddsDefaultPortsAndShrinkingKeepsTheFirst) {
    TDragPanel4P p;
    p.SetPortConnectorNo(1, 7);
    p.SetPortCaption(1, "+");
    p.SetPortCount(6);
    EXPECT_EQ(p.PortDirection(1), pdRight);
    EXPECT_EQ(p.PortConnectorNo(1), 7);
    EXPECT_EQ(p.PortCaption(1), "+");
    EXPECT_EQ(p.PortRect(3), (TRect{27, 59, 36, 64}));
    for (int i : {4, 5}) {
        EXPECT_EQ(p.PortDirection(i), pdUp);
        EXPECT_EQ(p.PortConnectorNo(i), -1);
        EXPECT_EQ(p.PortRect(i), (TRect{0, 0, 1, 1}));
        EXPECT_EQ(p.PortCaption(i), "");
    }
    p.SetPortCount(2);
    EXPECT_EQ(p.PortCount(), 2);
    EXPECT_EQ(p.PortConnectorNo(1), 7);
    EXPECT_EQ(p.PortRect(0), (TRect{0, 27, 4, 36}));
    p.SetPortCount(-3);
    EXPECT_EQ(p.PortCount(), 0);
}

TEST(DragPanelPorts, EveryAccessorOutsideThePortsIsARangeError) {
    TDragPanel4P p;
    for (int bad : {-1, 4}) {
        EXPECT_THROW(p.PortDirection(bad), ERangeError);
        EXPECT_THROW(p.SetPortDirection(bad, pdUp), ERangeError);
        EXPECT_THROW(p.PortConnectorNo(bad), ERangeError);
        EXPECT_THROW(p.SetPortConnectorNo(bad, 0), ERangeError);
        EXPECT_THROW(p.PortRect(bad), ERangeError);
        EXPECT_THROW(p.SetPortRect(bad, {}), ERangeError);
        EXPECT_THROW(p.PortCaption(bad), ERangeError);
        EXPECT_THROW(p.SetPortCaption(bad, "x"), ERangeError);
        EXPECT_THROW(p.PortCaptionOrigin(bad), ERangeError);
    }
}

TEST(DragPanelPorts, PortAtFindsTheFirstPortWithRightAndBottomExclusive) {
    TDragPanel p;
    p.SetPortCount(2);
    p.SetPortRect(0, {10, 10, 20, 20});
    p.SetPortRect(1, {0, 0, 30, 30});
    EXPECT_EQ(p.PortAt(10, 10), 0);
    EXPECT_EQ(p.PortAt(19, 19), 0);
    EXPECT_EQ(p.PortAt(20, 15), 1);
    EXPECT_EQ(p.PortAt(29, 29), 1);
    EXPECT_EQ(p.PortAt(30, 5), -1);
}

TEST(DragPanel, NegativeSizeIsTakenAsZeroAndResizedRunsOnSizeChangesOnly) {
    struct TCounting : TDragPanel {
        int Resizes = 0;
        void Resized() override { ++Resizes; }
    } p;
    p.SetBounds(5, 5, -10, 20);
    EXPECT_EQ(p.BoundsRect(), (TRect{5, 5, 5, 25}));
    EXPECT_EQ(p.Resizes, 1);
    p.SetLeft(40);
    EXPECT_EQ(p.Resizes, 1);
    p.SetHeight(30);
    EXPECT_EQ(p.Resizes, 2);
}

// --- Press logic -------------------------------------------------------------------

class DragPanelPressTest : public CodingPanelFixture {
protected:
    TDragPanel& P = AddPanel(100, 100);

    // A resizable panel whose port 4 covers the bottom-right corner.
    void AddCornerPort() {
        P.SetResizeStyle(TDragPanelResizeStyle::dprsLine);
        P.SetPortCount(5);
        P.SetPortRect(4, {48, 48, 64, 64});
    }
};

TEST_F(DragPanelPressTest, ResizeCornerIsTestedBeforeThePortUnderIt) {
    AddCornerPort();
    int portEvents = 0;
    P.OnDragPanelPortClicked.Connect([&](auto&&...) { ++portEvents; });
    P.MouseDown(mbLeft, {}, 54, 54);
    EXPECT_EQ(Canvas.Status(), TCodingPanelStatus::cpsResizingPanel);
    EXPECT_EQ(Canvas.DragComponent(), &P);
    EXPECT_EQ(Canvas.SelectedDragPanelNo(), P.Index());
    EXPECT_FALSE(P.Visible());
    EXPECT_EQ(P.GrabX(), 54);
    EXPECT_EQ(P.GrabY(), 54);
    EXPECT_EQ(Platform.Count("BeginPanelDrag 4"), 1); // half the grid pitch 8
    EXPECT_EQ(portEvents, 0);
}

TEST_F(DragPanelPressTest, AnIconizedOrFixedPanelHasNoResizeCorner) {
    AddCornerPort();
    P.SetIconized(true);
    P.MouseDown(mbLeft, {}, 54, 54);
    EXPECT_EQ(Canvas.Status(), TCodingPanelStatus::cpsConnecting);
    EXPECT_EQ(Canvas.FirstPortNo(), 4);

    TDragPanel& fixed = AddPanel(300, 100);
    fixed.SetPortCount(1);
    fixed.SetPortRect(0, {48, 48, 64, 64});
    fixed.MouseDown(mbLeft, {}, 60, 60); // connects to the first port
    EXPECT_EQ(Canvas.Status(), TCodingPanelStatus::cpsNormal);
    EXPECT_EQ(Canvas.ConnectorCount(), 1);
}

TEST_F(DragPanelPressTest, TheCornerStartsSixteenPixelsInsideTheEdges) {
    P.SetResizeStyle(TDragPanelResizeStyle::dprsLine);
    P.SetPortCount(0);
    P.MouseDown(mbLeft, {}, 48, 63); // x = Width - 16 is outside
    EXPECT_EQ(Canvas.Status(), TCodingPanelStatus::cpsDraggingPanel);
    Canvas.EndPanelDrag(P, TDropTarget::dtElsewhere, 0, 0);
    P.MouseDown(mbLeft, {}, 49, 49);
    EXPECT_EQ(Canvas.Status(), TCodingPanelStatus::cpsResizingPanel);
}

TEST_F(DragPanelPressTest, IconizeBoxTogglesIconizedOnlyWhenTheBoxIsShown) {
    P.SetCanIconize(true);
    P.MouseDown(mbLeft, {}, 60, 5);
    EXPECT_TRUE(P.Iconized());
    EXPECT_EQ(Canvas.Status(), TCodingPanelStatus::cpsNormal);
    EXPECT_TRUE(P.Visible());
    P.MouseDown(mbLeft, {}, 49, 15);
    EXPECT_FALSE(P.Iconized());

    P.SetCanIconize(false);
    P.MouseDown(mbLeft, {}, 60, 5); // no port there: a body drag
    EXPECT_FALSE(P.Iconized());
    EXPECT_EQ(Canvas.Status(), TCodingPanelStatus::cpsDraggingPanel);
}

TEST_F(DragPanelPressTest, BodyPressStartsADragOfThePanel) {
    Canvas.SetDragPanelGridPitch(9);
    P.MouseDown(mbLeft, {}, 20, 40);
    EXPECT_EQ(Canvas.Status(), TCodingPanelStatus::cpsDraggingPanel);
    EXPECT_EQ(Canvas.DragComponent(), &P);
    EXPECT_EQ(Canvas.SelectedDragPanelNo(), 0);
    EXPECT_FALSE(P.Visible());
    EXPECT_EQ(P.GrabX(), 20);
    EXPECT_EQ(P.GrabY(), 40);
    EXPECT_EQ(Platform.Count("BeginPanelDrag 4"), 1); // 9 div 2
}

TEST_F(DragPanelPressTest, PortPressRaisesTheEventThenStartsConnecting) {
    std::vector<std::string> seen;
    P.OnDragPanelPortClicked.Connect([&](TDragPanel& sender, TMouseButton button, TShiftState shift,
                                         int x, int y, int index, int port) {
        EXPECT_EQ(&sender, &P);
        EXPECT_EQ(button, mbLeft);
        EXPECT_TRUE(shift.Contains(TShiftFlag::ssShift));
        EXPECT_EQ(Canvas.Status(), TCodingPanelStatus::cpsNormal); // the canvas comes after
        seen.push_back(std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(index) +
                       ":" + std::to_string(port));
    });
    P.MouseDown(mbLeft, TShiftFlag::ssShift, 61, 30);
    EXPECT_THAT(seen, ElementsAre("61,30 0:1"));
    EXPECT_EQ(Canvas.Status(), TCodingPanelStatus::cpsConnecting);
    EXPECT_EQ(Canvas.FirstPanelNo(), 0);
    EXPECT_EQ(Canvas.FirstPortNo(), PortRight);
    EXPECT_TRUE(P.Visible());
}

TEST_F(DragPanelPressTest, OtherButtonsOnlySelectThePanel) {
    for (TPoint at : {TPoint{20, 20}, TPoint{61, 30}}) {
        Canvas.SetSelectedDragPanelNo(-1);
        Platform.Calls.clear();
        P.MouseDown(mbRight, {}, at.x, at.y);
        EXPECT_EQ(Canvas.SelectedDragPanelNo(), 0);
        EXPECT_EQ(Canvas.Status(), TCodingPanelStatus::cpsNormal);
        EXPECT_TRUE(P.Visible());
        EXPECT_GE(Platform.Count("RepaintPanel"), 1);
        EXPECT_EQ(Platform.Count("BeginPanelDrag"), 0);
    }
}

TEST_F(DragPanelPressTest, EveryPressFocusesTheCanvasThenRaisesMouseDown) {
    std::vector<std::string> order;
    P.OnMouseDown.Connect([&](TDragPanel&, TMouseButton, TShiftState, int x, int y) {
        order.push_back("down " + std::to_string(x) + "," + std::to_string(y) + " after " +
                        std::to_string(Platform.Count("FocusCanvas")) + " focus");
    });
    P.MouseDown(mbLeft, {}, 61, 30);
    P.MouseDown(mbRight, {}, 1, 2);
    EXPECT_THAT(order, ElementsAre("down 61,30 after 1 focus", "down 1,2 after 2 focus"));
}

TEST(DragPanelWithoutCanvas, PressesChangeNothingButRaiseTheEvents) {
    TDragPanel4P p;
    p.SetCanIconize(true);
    p.SetResizeStyle(TDragPanelResizeStyle::dprsLine);
    int downs = 0;
    std::vector<int> ports;
    p.OnMouseDown.Connect([&](auto&&...) { ++downs; });
    p.OnDragPanelPortClicked.Connect([&](TDragPanel&, TMouseButton, TShiftState, int, int,
                                         int index,
                                         int port) { ports.push_back(index * 10 + port); });
    p.MouseDown(mbLeft, {}, 20, 20); // body
    p.MouseDown(mbLeft, {}, 60, 5);  // iconize box
    p.MouseDown(mbLeft, {}, 30, 62); // port 3, inside the resize corner
    p.MouseDown(mbRight, {}, 30, 30);
    EXPECT_EQ(downs, 4);
    EXPECT_THAT(ports, ElementsAre(-10 + 3));
    EXPECT_FALSE(p.Iconized());
    EXPECT_TRUE(p.Visible());
}

// --- Iconized and the wires ----------------------------------------------------------

TEST_F(DragPanelPressTest, IconizedSetterLetsTheWiresFollowAndRepaints) {
    TDragPanel& b = AddPanel(300, 100);
    Connect(P, PortRight, b, PortLeft);
    ASSERT_EQ(Canvas.ConnectorCount(), 1);
    b.SetBounds(300, 200, 64, 64); // moved without telling the wire
    const TConnector& c = Canvas.Connector(0);
    TPoint end = c.Point(c.LineCount());
    EXPECT_NE(end, PortAttachPoint(Canvas, 1, PortLeft));
    Platform.Calls.clear();
    b.SetIconized(true);
    EXPECT_TRUE(b.Iconized());
    const TPoint attach = PortAttachPoint(Canvas, 1, PortLeft);
    const int g = Canvas.ConnectorGridPitch();
    EXPECT_EQ(c.Point(c.LineCount()), (TPoint{RoundToGrid(attach.x, g), RoundToGrid(attach.y, g)}));
    EXPECT_TRUE(c.Routed());
    EXPECT_GE(Platform.Count("RepaintPanel"), 1);
}

TEST_F(DragPanelPressTest, UpdateConnectorsLetsTheCanvasGrowToHoldThePanel) {
    Canvas.SetAutoSize(true);
    P.SetBounds(1000, 700, 64, 64);
    P.UpdateConnectors();
    EXPECT_EQ(Canvas.Width(), 1064);
    EXPECT_EQ(Canvas.Height(), 764);
}

// --- Painting ---------------------------------------------------------------------------

TEST(DragPanelPainting, FrameIsAClosedPolylineInsideThePanel) {
    TDragPanel p;
    p.SetBounds(7, 9, 96, 48);
    EXPECT_THAT(p.FramePolyline(), ElementsAre(TPoint{0, 0}, TPoint{95, 0}, TPoint{95, 47},
                                               TPoint{0, 47}, TPoint{0, 0}));
}

struct ImageRow {
    int PanelWidth, PanelHeight;
    TSize Image;
    bool Horz, Vert;
    TPoint Expected;
};

class ImagePositionTest : public ::testing::TestWithParam<ImageRow> {};

TEST_P(ImagePositionTest, CentresWithDivTruncatingTowardZero) {
    const ImageRow& row = GetParam();
    TDragPanel p;
    p.SetBounds(0, 0, row.PanelWidth, row.PanelHeight);
    p.SetImageHorzCenter(row.Horz);
    p.SetImageVertCenter(row.Vert);
    EXPECT_EQ(p.ImagePosition(row.Image), row.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Images, ImagePositionTest,
    ::testing::Values(ImageRow{96, 48, {48, 24}, false, false, {0, 0}},
                      ImageRow{96, 48, {48, 24}, true, false, {24, 0}},
                      ImageRow{96, 48, {48, 24}, true, true, {24, 12}},
                      ImageRow{97, 49, {48, 24}, true, true, {24, 12}},
                      ImageRow{32, 32, {48, 24}, true, true, {-8, 4}},
                      ImageRow{32, 20, {37, 25}, true, true, {-2, -2}}, // -5 div 2 = -2
                      ImageRow{32, 20, {37, 25}, false, false, {0, 0}}),
    test::NamedBy<ImageRow>([](const ImageRow& r) {
        return std::to_string(r.PanelWidth) + "x" + std::to_string(r.PanelHeight) +
               (r.Horz ? "H" : "") + (r.Vert ? "V" : "");
    }));

TEST(DragPanelPainting, WithoutCanvasThePictureIsUnselectedWithoutImages) {
    TDragPanel4P p;
    p.SetImageIndex(3);
    p.SetCanIconize(true);
    p.SetPortCaption(0, "a");
    TDragPanelPicture picture = p.Picture();
    EXPECT_FALSE(picture.Selected);
    EXPECT_FALSE(picture.ImagePosition.has_value());
    EXPECT_TRUE(picture.Glyphs.empty());
    ASSERT_EQ(picture.Ports.size(), 4u);
    EXPECT_FALSE(picture.Ports[0].ShowCaption);
    EXPECT_EQ(picture.Ports[0].Caption, "a");
    EXPECT_EQ(picture.Ports[0].CaptionOrigin, (TPoint{1, 28}));
    EXPECT_EQ(picture.Ports[1].Rect, (TRect{59, 27, 64, 36}));
}

TEST_F(DragPanelPressTest, PictureFollowsTheCanvasSettings) {
    TImageList symbols{48, 24, 28};
    TImageList glyphs{10, 10, 3};
    Canvas.SetImageList(&symbols);
    Canvas.SetShowDragPanelPortCaptions(true);
    P.SetImageIndex(5);
    P.SetImageHorzCenter(true);
    TDragPanelPicture picture = P.Picture();
    EXPECT_FALSE(picture.Selected);
    EXPECT_EQ(picture.ImageIndex, 5);
    EXPECT_EQ(picture.ImagePosition, (TPoint{8, 0}));
    EXPECT_TRUE(picture.Ports[2].ShowCaption);
    EXPECT_TRUE(picture.Glyphs.empty()); // no glyph list

    Canvas.SetImages(&glyphs);
    Canvas.SetSelectedDragPanelNo(0);
    P.SetCanIconize(true);
    P.SetIconized(true);
    P.SetResizeStyle(TDragPanelResizeStyle::dprsLine);
    P.SetImageIndex(-1);
    picture = P.Picture();
    EXPECT_TRUE(picture.Selected);
    EXPECT_FALSE(picture.ImagePosition.has_value());
    ASSERT_EQ(picture.Glyphs.size(), 2u);
    EXPECT_EQ(picture.Glyphs[0].GlyphIndex, 2);
    EXPECT_EQ(picture.Glyphs[0].Position, (TPoint{54, 1}));
    EXPECT_EQ(picture.Glyphs[1].GlyphIndex, 0);
    EXPECT_EQ(picture.Glyphs[1].Position, (TPoint{54, 54}));
    P.SetIconized(false);
    EXPECT_EQ(P.Picture().Glyphs[0].GlyphIndex, 1);

    int painted = 0;
    P.OnPaint.Connect([&](TDragPanel& sender) { painted += &sender == &P ? 1 : 100; });
    P.Painted();
    EXPECT_EQ(painted, 1);
}

// --- Records ------------------------------------------------------------------------------

// A panel with something in every field the record carries.
void Configure(TDragPanel& p) {
    p.SetBounds(96, 48, 96, 48);
    p.SetCaption("Vin");
    p.SetImageIndex(7);
    p.SetIndex(2);
    p.SetCanIconize(true);
    p.SetIconized(true);
    p.SetMinWidth(40);
    p.SetMinHeight(24);
    p.SetMaxWidth(200);
    p.SetMaxHeight(0);
    p.SetImageHorzCenter(true);
    p.SetResizeStyle(TDragPanelResizeStyle::dprsLine);
    p.SetPortCount(2);
    p.SetPortConnectorNo(0, 5);
    p.SetPortCaption(0, "－");
    p.SetPortCaption(1, "+");
    p.SetPortRect(1, {88, 16, 96, 32});
    p.SetPortDirection(1, pdRight);
}

TEST(DragPanelRecord, IsWrittenItemByItem) {
    TDragPanel4P p;
    Configure(p);
    TMemoryStream expected;
    WriteStringToStr(expected, "TDragPanel4P");
    WriteStringToStr(expected, "TDragPanel_3");
    WriteStringToStr(expected, ComponentToText(p));
    WriteStringToStr(expected, "Vin");
    for (int v : {7, 2, 1, 1, 40, 24, 200, 0, 1, 0, 2, 5, -1}) {
        WriteIntegerToStr(expected, v);
    }
    WriteStringToStr(expected, "pdLeft");
    WriteStringToStr(expected, "pdRight");
    for (int v : {0, 27, 4, 36, 88, 16, 96, 32}) {
        WriteIntegerToStr(expected, v);
    }
    WriteStringToStr(expected, "－");
    WriteStringToStr(expected, "+");
    EXPECT_EQ(Fingerprint(p), expected.Bytes());
}

TEST(DragPanelRecord, RoundTripGivesTheSameBytesAndFields) {
    TDragPanel4P p;
    Configure(p);
    Bytes saved = Fingerprint(p);
    TMemoryStream s(saved);
    TDragPanel4P q;
    q.LoadFromStream(s);
    EXPECT_EQ(s.Position(), s.Size());
    EXPECT_EQ(Fingerprint(q), saved);
    EXPECT_EQ(q.BoundsRect(), (TRect{96, 48, 192, 96}));
    EXPECT_EQ(q.ResizeStyle(), TDragPanelResizeStyle::dprsLine);
    EXPECT_EQ(q.PortCaption(0), "－");
    EXPECT_EQ(q.PortConnectorNo(0), 5);
    EXPECT_EQ(q.MaxHeight(), 0);
}

// An older record: tag, component text, caption, image index, index, for
// version 2 the iconize flags, the centring flags and two ports (captions
// from version 2 on).
Bytes OldRecord(int version) {
    TMemoryStream s;
    WriteStringToStr(s, version == 1 ? "TDragPanel" : "TDragPanel_2");
    WriteStringToStr(s, "object TDragPanel\r\n  Left = 16\r\n  Top = 24\r\n  Width = 128\r\n"
                        "  Height = 64\r\nend\r\n");
    WriteStringToStr(s, "old");
    WriteIntegerToStr(s, 9);
    WriteIntegerToStr(s, 4);
    if (version == 2) {
        WriteBooleanToStr(s, true);
        WriteBooleanToStr(s, true);
    }
    WriteBooleanToStr(s, false);
    WriteBooleanToStr(s, true);
    WriteIntegerToStr(s, 2);
    WriteIntegerToStr(s, 3);
    WriteIntegerToStr(s, -1);
    WriteStringToStr(s, "pdDown");
    WriteStringToStr(s, "pdSideways");
    for (int v : {1, 2, 3, 4, 5, 6, 7, 8}) {
        WriteIntegerToStr(s, v);
    }
    if (version == 2) {
        WriteStringToStr(s, "x");
        WriteStringToStr(s, "y");
    }
    return s.Bytes();
}

class OldDragPanelRecord : public ::testing::Test {
protected:
    TDragPanel P;
    void SetUp() override {
        P.SetCanIconize(false);
        P.SetMinWidth(10);
        P.SetMinHeight(11);
        P.SetMaxWidth(300);
        P.SetMaxHeight(301);
        P.SetPortCount(1);
        P.SetPortCaption(0, "kept");
    }
    void Load(int version) {
        TMemoryStream s(OldRecord(version));
        P.LoadFromStream(s);
        EXPECT_EQ(s.Position(), s.Size());
    }
    void ExpectCommonItems() {
        EXPECT_EQ(P.BoundsRect(), TRect::FromBounds(16, 24, 128, 64));
        EXPECT_EQ(P.Caption(), "old");
        EXPECT_EQ(P.ImageIndex(), 9);
        EXPECT_EQ(P.Index(), 4);
        EXPECT_FALSE(P.ImageHorzCenter());
        EXPECT_TRUE(P.ImageVertCenter());
        ASSERT_EQ(P.PortCount(), 2);
        EXPECT_EQ(P.PortConnectorNo(0), 3);
        EXPECT_EQ(P.PortConnectorNo(1), -1);
        EXPECT_EQ(P.PortDirection(0), pdDown);
        EXPECT_EQ(P.PortDirection(1), pdRight); // unknown names face right
        EXPECT_EQ(P.PortRect(0), (TRect{1, 2, 3, 4}));
        EXPECT_EQ(P.PortRect(1), (TRect{5, 6, 7, 8}));
        // The limits are not in versions 1 and 2.
        EXPECT_EQ(P.MinWidth(), 10);
        EXPECT_EQ(P.MinHeight(), 11);
        EXPECT_EQ(P.MaxWidth(), 300);
        EXPECT_EQ(P.MaxHeight(), 301);
    }
};

TEST_F(OldDragPanelRecord, VersionOneLeavesIconizingAndCaptionsAsTheyWere) {
    Load(1);
    ExpectCommonItems();
    EXPECT_FALSE(P.CanIconize());
    EXPECT_FALSE(P.Iconized());
    EXPECT_EQ(P.PortCaption(0), "kept");
    EXPECT_EQ(P.PortCaption(1), "");
}

TEST_F(OldDragPanelRecord, VersionTwoReadsIconizingAndCaptions) {
    Load(2);
    ExpectCommonItems();
    EXPECT_TRUE(P.CanIconize());
    EXPECT_TRUE(P.Iconized());
    EXPECT_EQ(P.PortCaption(0), "x");
    EXPECT_EQ(P.PortCaption(1), "y");
}

struct WrongTagRow {
    bool FourPorts;
    std::vector<std::string> Tags; // written one after the other
    std::string Message;
};

class DragPanelWrongTag : public ::testing::TestWithParam<WrongTagRow> {};

TEST_P(DragPanelWrongTag, RestoresThePositionAndLeavesThePanelAlone) {
    const WrongTagRow& row = GetParam();
    std::unique_ptr<TDragPanel> p =
        row.FourPorts ? std::make_unique<TDragPanel4P>() : std::make_unique<TDragPanel>();
    Configure(*p);
    Bytes before = Fingerprint(*p);
    TMemoryStream s;
    WriteIntegerToStr(s, 77); // the record starts behind this
    for (const auto& tag : row.Tags) {
        WriteStringToStr(s, tag);
    }
    s.SetPosition(4);
    EXPECT_EQ(MessageOf([&] { p->LoadFromStream(s); }), row.Message);
    EXPECT_EQ(s.Position(), 4);
    EXPECT_EQ(Fingerprint(*p), before);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, DragPanelWrongTag,
    ::testing::Values(
        WrongTagRow{
            false, {"TDragPanel_4"}, "TDragPanel.LoadFromStream: This is not TDragPanel object."},
        WrongTagRow{
            false, {"TDragPanel4P"}, "TDragPanel.LoadFromStream: This is not TDragPanel object."},
        WrongTagRow{
            false, {"tdragpanel"}, "TDragPanel.LoadFromStream: This is not TDragPanel object."},
        WrongTagRow{true,
                    {"TDragPanel_3"},
                    "TDragPanel4P.LoadFromStream: This is not TDragPanel4P object."},
        WrongTagRow{
            true, {"TResistor"}, "TDragPanel4P.LoadFromStream: This is not TDragPanel4P object."},
        WrongTagRow{true,
                    {"TDragPanel4P", "TConnector"},
                    "TDragPanel.LoadFromStream: This is not TDragPanel object."}),
    test::NamedAfter(&WrongTagRow::Message));

TEST(DragPanelRecord, EveryTruncationFailsAndRestoresEverything) {
    TDragPanel4P source;
    Configure(source);
    Bytes record = Fingerprint(source);
    TDragPanel4P p;
    Bytes before = Fingerprint(p);
    for (std::size_t n = 0; n < record.size(); ++n) {
        TMemoryStream s(Bytes(record.begin(), record.begin() + static_cast<long>(n)));
        EXPECT_THROW(p.LoadFromStream(s), EZaroError) << n;
        EXPECT_EQ(s.Position(), 0) << n;
    }
    EXPECT_EQ(Fingerprint(p), before);
}

// Record of a plain panel whose port count is `count` and nothing follows.
Bytes RecordWithPortCount(std::int32_t count) {
    TDragPanel p;
    p.SetPortCount(0);
    Bytes bytes = Fingerprint(p);
    bytes.resize(bytes.size() - 4);
    TMemoryStream s(bytes);
    s.SetPosition(s.Size());
    WriteIntegerToStr(s, count);
    return s.Bytes();
}

TEST(DragPanelRecord, APortCountTheStreamCannotHoldIsAReadError) {
    TDragPanel p;
    p.SetPortCount(3);
    Bytes before = Fingerprint(p);
    for (std::int32_t count : {0x7FFFFFFF, 1}) {
        TMemoryStream s(RecordWithPortCount(count));
        EXPECT_THROW(p.LoadFromStream(s), EReadError) << count;
    }
    EXPECT_EQ(Fingerprint(p), before);

    TMemoryStream negative(RecordWithPortCount(-5));
    p.LoadFromStream(negative);
    EXPECT_EQ(p.PortCount(), 0);
}

TEST(DragPanelRecord, MalformedComponentTextInsideIsAClearError) {
    TDragPanel source;
    Configure(source);
    TMemoryStream valid(Fingerprint(source));
    ReadStringFromStr(valid);
    ReadStringFromStr(valid);
    TMemoryStream s;
    WriteStringToStr(s, "TDragPanel_3");
    WriteStringToStr(s, "object TDragPanel\r\n  Top = 0\r\n  Left = 'x'\r\nend\r\n");
    s.CopyFrom(valid, valid.Remaining());
    s.SetPosition(0);
    TDragPanel p;
    p.SetBounds(33, 44, 64, 64);
    Bytes before = Fingerprint(p);
    EXPECT_EQ(MessageOf([&] { p.LoadFromStream(s); }),
              "TextToComponent: Left needs a 32-bit integer in line 3.");
    EXPECT_EQ(Fingerprint(p), before);
    EXPECT_EQ(s.Position(), 0);
}

} // namespace
} // namespace zaro::test
