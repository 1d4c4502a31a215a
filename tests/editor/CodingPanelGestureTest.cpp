#include "CaseNames.h"
#include "CodingPanelFixture.h"

#include <gmock/gmock.h>

namespace zaro::test {
namespace {

using ::testing::ElementsAre;
using enum TCodingPanelStatus;

constexpr TShiftState ShiftCtrl = TShiftFlag::ssShift | TShiftFlag::ssCtrl;

// --- Connecting ports ----------------------------------------------------------

class ConnectingGestureTest : public CodingPanelFixture {
protected:
    void SetUp() override {
        A = &AddPanel(0, 0);
        B = &AddPanel(200, 0);
    }
    TDragPanel* A = nullptr;
    TDragPanel* B = nullptr;
};

TEST_F(ConnectingGestureTest, ClickingTwoPortsJoinsThemWithARoutedWire) {
    ClickPort(*A, PortRight);
    EXPECT_EQ(Canvas.Status(), cpsConnecting);
    EXPECT_EQ(Canvas.FirstPanelNo(), 0);
    EXPECT_EQ(Canvas.FirstPortNo(), PortRight);
    ClickPort(*B, PortLeft);
    EXPECT_EQ(Canvas.Status(), cpsNormal);
    ASSERT_EQ(Canvas.ConnectorCount(), 1);
    EXPECT_EQ(Canvas.Connector(0).StartPanelNo(), 0);
    EXPECT_EQ(Canvas.Connector(0).EndPanelNo(), 1);
    EXPECT_TRUE(Canvas.Connector(0).Routed());
    EXPECT_EQ(A->PortConnectorNo(PortRight), 0);
    EXPECT_EQ(B->PortConnectorNo(PortLeft), 0);
}

TEST_F(ConnectingGestureTest, MovingWhileConnectingDrawsARubberLineFromThePortCentre) {
    Canvas.SetHorzScrollPosition(10);
    A->SetBounds(20, 30, 64, 64);
    ClickPort(*A, PortRight); // port (59, 27, 64, 36): centre (61, 31)
    Move(150, 90);
    EXPECT_TRUE(Canvas.RubberBandShown());
    EXPECT_EQ(Canvas.RubberBandKind(), TRubberBandKind::rbkLine);
    EXPECT_EQ(Canvas.RubberBandRect(), (TRect{20 + 61 + 10, 30 + 31, 160, 90}));
    Move(160, 100);
    EXPECT_EQ(Canvas.RubberBandRect(), (TRect{91, 61, 170, 100}));
    ClickPort(*B, PortLeft);
    EXPECT_FALSE(Canvas.RubberBandShown());
}

TEST_F(ConnectingGestureTest, ClickingTheSamePortAgainCancels) {
    ClickPort(*A, PortRight);
    Move(100, 100);
    ClickPort(*A, PortRight);
    EXPECT_EQ(Canvas.Status(), cpsNormal);
    EXPECT_EQ(Canvas.ConnectorCount(), 0);
    EXPECT_FALSE(Canvas.RubberBandShown());
    EXPECT_EQ(A->PortConnectorNo(PortRight), -1);
}

TEST_F(ConnectingGestureTest, PressingTheCanvasCancels) {
    ClickPort(*A, PortRight);
    Move(100, 100);
    Press(100, 100);
    EXPECT_EQ(Canvas.Status(), cpsNormal);
    EXPECT_FALSE(Canvas.RubberBandShown());
    EXPECT_EQ(Canvas.ConnectorCount(), 0);
    EXPECT_EQ(Platform.Count("SetScreenCursor"), 0); // no panning begins
}

TEST_F(ConnectingGestureTest, ConnectingAnAlreadyWiredPortReplacesItsWire) {
    TDragPanel& c = AddPanel(400, 0);
    Connect(*A, PortRight, *B, PortLeft); // wire 0
    Connect(*B, PortRight, c, PortLeft);  // wire 1
    Connect(c, PortUp, *A, PortRight);    // A's right port had wire 0
    ASSERT_EQ(Canvas.ConnectorCount(), 2);
    EXPECT_EQ(B->PortConnectorNo(PortLeft), -1); // the old wire's other port is free
    EXPECT_EQ(B->PortConnectorNo(PortRight), 0); // wire 1 became wire 0
    EXPECT_EQ(c.PortConnectorNo(PortLeft), 0);
    EXPECT_EQ(Canvas.Connector(1).StartPanelNo(), 2);
    EXPECT_EQ(Canvas.Connector(1).EndPanelNo(), 0);
    EXPECT_EQ(A->PortConnectorNo(PortRight), 1);
    EXPECT_EQ(c.PortConnectorNo(PortUp), 1);
}

TEST_F(ConnectingGestureTest, DeletingThePanelAConnectionStartedFromCancelsIt) {
    ClickPort(*B, PortLeft);
    Canvas.DeleteDragPanel(1);
    EXPECT_EQ(Canvas.Status(), cpsNormal);
    Move(50, 50); // no rubber line from a panel that is gone
    EXPECT_FALSE(Canvas.RubberBandShown());
}

TEST_F(ConnectingGestureTest, DeletingAnEarlierPanelKeepsTheConnectionOnItsPort) {
    ClickPort(*B, PortLeft);
    Canvas.DeleteDragPanel(0);
    EXPECT_EQ(Canvas.FirstPanelNo(), 0);
    TDragPanel& c = AddPanel(400, 0);
    ClickPort(c, PortLeft);
    ASSERT_EQ(Canvas.ConnectorCount(), 1);
    EXPECT_EQ(Canvas.Connector(0).StartPanelNo(), 0);
    EXPECT_EQ(B->PortConnectorNo(PortLeft), 0);
}

TEST_F(ConnectingGestureTest, PortClicksOfAPanelOnNoCanvasOrAnotherCanvasAreIgnored) {
    TDragPanel4P loose;
    Canvas.ProcessOnDragPanelPortClicked(loose, 0);
    TFakePlatform otherPlatform;
    TCodingPanel other(otherPlatform);
    TDragPanel& foreign = other.AddDragPanel(std::make_unique<TDragPanel4P>());
    Canvas.ProcessOnDragPanelPortClicked(foreign, 0);
    EXPECT_EQ(Canvas.Status(), cpsNormal);
}

// --- Wire segments -------------------------------------------------------------

class SegmentGestureTest : public CodingPanelFixture {
protected:
    void SetUp() override { AddFiveSegmentWire(); }
};

TEST_F(SegmentGestureTest, DraggingAVerticalSegmentMovesItSidewaysWithTruncatingSnap) {
    Press(88, 100);
    EXPECT_EQ(Canvas.Status(), cpsDraggingConnector);
    EXPECT_EQ(Canvas.SelectedConnectorNo(), 0);
    EXPECT_EQ(Canvas.SelectedLineNo(), 1);
    Move(43, 100);
    EXPECT_TRUE(Canvas.RubberBandShown());
    EXPECT_EQ(Canvas.RubberBandRect(), (TRect{43, 128, 43, 80}));
    Release(43, 100);
    EXPECT_THAT(Route(0), ElementsAre(TPoint{96, 128}, TPoint{40, 128}, TPoint{40, 80},
                                      TPoint{72, 80}, TPoint{72, 32}, TPoint{64, 32}));
    EXPECT_EQ(Canvas.Status(), cpsNormal);
    EXPECT_EQ(Canvas.SelectedConnectorNo(), -1);
    EXPECT_EQ(Canvas.SelectedLineNo(), -1);
    EXPECT_FALSE(Canvas.RubberBandShown());

    Press(40, 100);
    Release(37, 100);
    EXPECT_EQ(Canvas.Connector(0).Point(1).x, 36);
}

TEST_F(SegmentGestureTest, DraggingAHorizontalSegmentMovesItUpOrDownInScrolledCoordinates) {
    Canvas.SetVertScrollPosition(20);
    Press(80, 60); // canvas (80, 80): segment 2
    EXPECT_EQ(Canvas.SelectedLineNo(), 2);
    Move(80, 35);
    EXPECT_EQ(Canvas.RubberBandRect(), (TRect{88, 55, 72, 55}));
    Release(80, 39); // canvas y 59 -> 56
    EXPECT_EQ(Canvas.Connector(0).Point(2), (TPoint{88, 56}));
    EXPECT_EQ(Canvas.Connector(0).Point(3), (TPoint{72, 56}));
}

TEST_F(SegmentGestureTest, APlainClickOnASegmentSnapsItToo) {
    Canvas.Connector(0).SetPointX(1, 90);
    Canvas.Connector(0).SetPointX(2, 90);
    Press(91, 100);
    Release(91, 100);
    EXPECT_EQ(Canvas.Connector(0).Point(1).x, 88);
    EXPECT_EQ(Canvas.Connector(0).Point(2).x, 88);
}

TEST_F(SegmentGestureTest, ASecondPressFinishesTheMoveWhereItIs) {
    Press(88, 100);
    Move(60, 100);
    Press(61, 100);
    EXPECT_EQ(Canvas.Status(), cpsNormal);
    EXPECT_EQ(Canvas.Connector(0).Point(1).x, 60);
    EXPECT_EQ(Platform.Count("SetScreenCursor"), 0);
}

TEST_F(SegmentGestureTest, TheEndSegmentsCannotBeGrabbedAndStartPanningInstead) {
    Press(92, 128); // segment 0
    EXPECT_EQ(Canvas.Status(), cpsDraggingBackground);
    Release(92, 128);
    Press(66, 32); // segment 4
    EXPECT_EQ(Canvas.Status(), cpsDraggingBackground);
    EXPECT_EQ(Canvas.SelectedConnectorNo(), -1);
}

TEST_F(SegmentGestureTest, ShiftCtrlPressOnASegmentDeletesTheWire) {
    Press(88, 100, ShiftCtrl);
    EXPECT_EQ(Canvas.ConnectorCount(), 0);
    EXPECT_EQ(Canvas.Status(), cpsNormal);
    EXPECT_EQ(Canvas.SelectedConnectorNo(), -1);
    EXPECT_EQ(Canvas.DragPanel(0).PortConnectorNo(PortLeft), -1);
    EXPECT_EQ(Canvas.DragPanel(1).PortConnectorNo(PortRight), -1);
}

TEST_F(SegmentGestureTest, TheMouseDownEventSeesTheWireAlreadyDeleted) {
    int wiresSeen = -1;
    Canvas.OnMouseDown.Connect([&](TMouseButton, TShiftState shift, int, int) {
        EXPECT_EQ(shift, ShiftCtrl);
        wiresSeen = Canvas.ConnectorCount();
    });
    Press(88, 100, ShiftCtrl);
    EXPECT_EQ(wiresSeen, 0);
}

TEST_F(SegmentGestureTest, ShiftAloneOrCtrlAloneOnlyGrabsTheSegment) {
    Press(88, 100, TShiftFlag::ssShift);
    EXPECT_EQ(Canvas.Status(), cpsDraggingConnector);
    Release(88, 100);
    Press(88, 100, TShiftFlag::ssCtrl);
    EXPECT_EQ(Canvas.Status(), cpsDraggingConnector);
    EXPECT_EQ(Canvas.ConnectorCount(), 1);
}

TEST_F(SegmentGestureTest, AWireDeletedDuringTheMoveEndsItOnTheNextMove) {
    Press(88, 100);
    Canvas.DeleteConnector(0);
    Move(50, 100);
    EXPECT_EQ(Canvas.Status(), cpsNormal);
    EXPECT_FALSE(Canvas.RubberBandShown());
}

TEST_F(SegmentGestureTest, APortClickDuringASegmentMoveIsReportedAndChangesNothing) {
    Press(88, 100);
    ClickPort(Canvas.DragPanel(0), PortUp);
    EXPECT_THAT(Platform.Messages,
                ElementsAre("ProcessOnDragPanelPortClicked:cpsDraggingConnector"));
    EXPECT_EQ(Canvas.Status(), cpsDraggingConnector);
    EXPECT_EQ(Canvas.SelectedConnectorNo(), 0);
}

TEST_F(SegmentGestureTest, PressingEmptyCanvasClearsTheWireSelection) {
    Canvas.SetSelectedConnectorNo(0);
    Canvas.SetSelectedLineNo(1);
    Press(300, 300);
    EXPECT_EQ(Canvas.SelectedConnectorNo(), -1);
    EXPECT_EQ(Canvas.SelectedLineNo(), -1);
    EXPECT_EQ(Canvas.Status(), cpsDraggingBackground);
}

// --- Panning -------------------------------------------------------------------

class PanningGestureTest : public CodingPanelFixture {
protected:
    void SetUp() override { Canvas.SetSize(300, 200); } // range 640 x 480: up to 340 x 280
};

TEST_F(PanningGestureTest, DraggingEmptyCanvasScrollsWithTheMoveCursorAndRestoresTheCursor) {
    Platform.Cursor = TCursorShape::crHourGlass;
    Press(200, 150);
    EXPECT_EQ(Canvas.Status(), cpsDraggingBackground);
    EXPECT_EQ(Platform.Cursor, TCursorShape::crSizeAll);
    Move(150, 120);
    EXPECT_EQ(Canvas.ScrollPosition(), (TPoint{50, 30}));
    Move(190, 140);
    EXPECT_EQ(Canvas.ScrollPosition(), (TPoint{10, 10}));
    Release(100, 100);
    EXPECT_EQ(Canvas.ScrollPosition(), (TPoint{100, 50}));
    EXPECT_EQ(Platform.Cursor, TCursorShape::crHourGlass);
    EXPECT_EQ(Canvas.Status(), cpsNormal);
}

TEST_F(PanningGestureTest, ScrollingStopsAtTheEndsOfTheRanges) {
    Canvas.SetHorzScrollPosition(20);
    Press(100, 100);
    Move(-1000, 1000);
    EXPECT_EQ(Canvas.ScrollPosition(), (TPoint{340, 0}));
    Release(-1000, 1000);
    EXPECT_EQ(Canvas.ScrollPosition(), (TPoint{340, 0}));
}

TEST_F(PanningGestureTest, PressingAgainWhilePanningBeeps) {
    Press(100, 100);
    Canvas.MouseDown(TMouseButton::mbRight, {}, 120, 100);
    EXPECT_EQ(Platform.Count("Beep"), 1);
    EXPECT_EQ(Canvas.Status(), cpsDraggingBackground);
}

TEST_F(PanningGestureTest, PressingEmptyCanvasDeselectsThePanel) {
    AddPanel(0, 0);
    Canvas.SetSelectedDragPanelNo(0);
    Press(200, 150);
    EXPECT_EQ(Canvas.SelectedDragPanelNo(), -1);
}

TEST_F(PanningGestureTest, EveryPressFocusesTheCanvasBeforeTheMouseDownEventIsRaised) {
    Canvas.OnMouseDown.Connect([this](TMouseButton, TShiftState, int x, int y) {
        Platform.Calls.push_back("OnMouseDown " + std::to_string(x) + "," + std::to_string(y));
    });
    Press(10, 20);
    ASSERT_GE(Platform.Calls.size(), 2u);
    EXPECT_EQ(Platform.Calls[Platform.Calls.size() - 2], "FocusCanvas");
    EXPECT_EQ(Platform.Calls.back(), "OnMouseDown 10,20");
}

// --- Dragging and resizing panels ---------------------------------------------

class PanelDragGestureTest : public CodingPanelFixture {
protected:
    const TPoint Body{20, 20};   // no port there
    const TPoint Corner{60, 60}; // bottom-right 16 x 16
};

TEST_F(PanelDragGestureTest, DraggingAPanelSnapsItToTheGridAndItsWiresFollow) {
    TDragPanel& a = AddPanel(0, 0);
    TDragPanel& b = AddPanel(200, 0);
    Canvas.SetConnectorGridPitch(4);
    Canvas.ConnectPorts(0, PortRight, 1, PortLeft);

    b.MouseDown(TMouseButton::mbLeft, {}, Body.x, Body.y);
    EXPECT_EQ(Canvas.Status(), cpsDraggingPanel);
    EXPECT_EQ(Canvas.DragComponent(), &b);
    EXPECT_EQ(Platform.Count("BeginPanelDrag 4"), 1);
    EXPECT_TRUE(Canvas.DragOver(&b, true, 137, 93));
    EXPECT_EQ(Canvas.RubberBandRect(), (TRect{117, 73, 181, 137})); // not snapped
    EXPECT_EQ(Canvas.RubberBandKind(), TRubberBandKind::rbkRectangle);
    Canvas.EndPanelDrag(b, TDropTarget::dtCanvas, 137, 93);

    EXPECT_EQ(b.BoundsRect(), (TRect{120, 72, 184, 136})); // 117 -> 120, 73 -> 72
    EXPECT_TRUE(b.Visible());
    EXPECT_FALSE(Canvas.RubberBandShown());
    EXPECT_EQ(Canvas.Status(), cpsNormal);
    EXPECT_EQ(Canvas.DragComponent(), nullptr);
    const TConnector& c = Canvas.Connector(0);
    EXPECT_EQ(c.Point(c.LineCount()), (TPoint{120, 104})); // left port of the moved panel
    EXPECT_EQ(c.Point(0), (TPoint{64, 32}));
    EXPECT_EQ(a.BoundsRect(), (TRect{0, 0, 64, 64}));
}

TEST_F(PanelDragGestureTest, ADropIsSnappedInCanvasCoordinatesWhenScrolled) {
    Canvas.SetHorzScrollPosition(30);
    Canvas.SetVertScrollPosition(10);
    TDragPanel& p = AddPanel(0, 0);
    DragPanelTo(p, Body, {100, 100}); // canvas (110, 90) -> (112, 88)
    EXPECT_EQ(p.Left(), 112 - 30);
    EXPECT_EQ(p.Top(), 88 - 10);
}

TEST_F(PanelDragGestureTest, APanelDraggedPastTheRangeStopsInsideIt) {
    TDragPanel& p = AddPanel(0, 0);
    DragPanelTo(p, Body, {900, 700});
    EXPECT_EQ(p.Left(), 640 - 64);
    EXPECT_EQ(p.Top(), 480 - 64);
    DragPanelTo(p, Body, {-50, -3});
    EXPECT_EQ(p.Left(), 0);
    EXPECT_EQ(p.Top(), 0);
}

TEST_F(PanelDragGestureTest, ADropElsewhereOrACancelLeavesThePanelWhereItWas) {
    TDragPanel& p = AddPanel(40, 40);
    p.MouseDown(TMouseButton::mbLeft, {}, Body.x, Body.y);
    EXPECT_FALSE(p.Visible());
    Canvas.DragOver(&p, true, 200, 200);
    Canvas.EndPanelDrag(p, TDropTarget::dtElsewhere, 5, 5);
    EXPECT_EQ(p.BoundsRect(), (TRect{40, 40, 104, 104}));
    EXPECT_TRUE(p.Visible());
    EXPECT_FALSE(Canvas.RubberBandShown());
    EXPECT_EQ(Canvas.Status(), cpsNormal);
    EXPECT_EQ(Canvas.DragComponent(), nullptr);
}

TEST_F(PanelDragGestureTest, DragOverIsRefusedUnlessAPanelOfTheCanvasIsDraggedOverIt) {
    TDragPanel& p = AddPanel(0, 0);
    EXPECT_FALSE(Canvas.DragOver(&p, true, 10, 10)); // no drag under way
    p.MouseDown(TMouseButton::mbLeft, {}, Body.x, Body.y);
    EXPECT_FALSE(Canvas.DragOver(nullptr, true, 10, 10));
    EXPECT_FALSE(Canvas.DragOver(&p, false, 10, 10)); // over another control
    TDragPanel4P loose;
    EXPECT_FALSE(Canvas.DragOver(&loose, true, 10, 10));
    EXPECT_FALSE(Canvas.RubberBandShown());
    EXPECT_TRUE(Canvas.DragOver(&p, true, 10, 10));
}

struct ResizeCase {
    int DropX, DropY; // relative to the panel's top-left corner
    int Width, Height;
};

class PanelResizeGestureTest : public PanelDragGestureTest,
                               public ::testing::WithParamInterface<ResizeCase> {};

TEST_P(PanelResizeGestureTest, TheNewSizeIsRoundedToTheGridWithinTheLimits) {
    TDragPanel& p = AddPanel(100, 50);
    p.SetResizeStyle(TDragPanelResizeStyle::dprsLine);
    p.SetMaxWidth(120);
    p.SetMaxHeight(0); // no limit
    p.MouseDown(TMouseButton::mbLeft, {}, Corner.x, Corner.y);
    EXPECT_EQ(Canvas.Status(), cpsResizingPanel);
    const ResizeCase c = GetParam();
    Canvas.DragOver(&p, true, 100 + c.DropX, 50 + c.DropY);
    Canvas.EndPanelDrag(p, TDropTarget::dtCanvas, 100 + c.DropX, 50 + c.DropY);
    EXPECT_EQ(p.BoundsRect(), TRect::FromBounds(100, 50, c.Width, c.Height));
    EXPECT_EQ(Canvas.Status(), cpsNormal);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PanelResizeGestureTest,
                         ::testing::Values(ResizeCase{68, 70, 64, 72},  // 8.5 -> 8, 8.75 -> 9
                                           ResizeCase{76, 84, 80, 80},  // 9.5 -> 10, 10.5 -> 10
                                           ResizeCase{10, -40, 32, 32}, // up to the minimum
                                           ResizeCase{300, 300, 120, 304}),
                         test::NamedBy<ResizeCase>([](const ResizeCase& c) {
                             return "To" + std::to_string(c.Width) + "x" + std::to_string(c.Height);
                         })); // maximum; 37.5 -> 38

TEST_F(PanelDragGestureTest, TheResizeOutlineFollowsTheMouseButNotBelowTheMinimum) {
    Canvas.SetHorzScrollPosition(8);
    TDragPanel& p = AddPanel(100, 50);
    p.SetResizeStyle(TDragPanelResizeStyle::dprsLine);
    p.MouseDown(TMouseButton::mbLeft, {}, Corner.x, Corner.y);
    Canvas.DragOver(&p, true, 171, 60);
    EXPECT_EQ(Canvas.RubberBandRect(), (TRect{108, 50, 108 + 71, 50 + 32}));
}

TEST_F(PanelDragGestureTest, ResizingMakesTheWiresFollowTheMovedPorts) {
    TDragPanel& p = AddPanel(0, 0);
    AddPanel(200, 0);
    p.SetResizeStyle(TDragPanelResizeStyle::dprsLine);
    Canvas.ConnectPorts(0, PortRight, 1, PortLeft);
    p.MouseDown(TMouseButton::mbLeft, {}, Corner.x, Corner.y);
    Canvas.EndPanelDrag(p, TDropTarget::dtCanvas, 96, 64);
    // The port rectangles stay as they are, so the wire is re-attached there.
    EXPECT_EQ(Canvas.Connector(0).Point(0), (TPoint{64, 32}));
    EXPECT_TRUE(Canvas.Connector(0).Routed());
    EXPECT_EQ(p.Width(), 96);
}

TEST_F(PanelDragGestureTest, PressingTheCanvasDuringADragOrResizeBeeps) {
    TDragPanel& p = AddPanel(0, 0);
    p.SetResizeStyle(TDragPanelResizeStyle::dprsLine);
    p.MouseDown(TMouseButton::mbLeft, {}, Body.x, Body.y);
    Press(300, 300);
    EXPECT_EQ(Canvas.Status(), cpsNormal);
    p.MouseDown(TMouseButton::mbLeft, {}, Corner.x, Corner.y);
    Press(300, 300);
    EXPECT_EQ(Canvas.Status(), cpsNormal);
    EXPECT_EQ(Platform.Count("Beep"), 2);
    Canvas.EndPanelDrag(p, TDropTarget::dtElsewhere, 0, 0); // the drag still ends
    EXPECT_TRUE(p.Visible());
}

TEST_F(PanelDragGestureTest, APortClickDuringAPanelDragShowsThePanelAndReportsIt) {
    TDragPanel& a = AddPanel(0, 0);
    TDragPanel& b = AddPanel(200, 0);
    a.MouseDown(TMouseButton::mbLeft, {}, Body.x, Body.y);
    Canvas.DragOver(&a, true, 100, 100);
    ClickPort(b, PortLeft);
    EXPECT_THAT(Platform.Messages, ElementsAre("ProcessOnDragPanelPortClicked:cpsDraggingPanel"));
    EXPECT_TRUE(a.Visible());
    EXPECT_FALSE(Canvas.RubberBandShown());
    EXPECT_EQ(Canvas.Status(), cpsNormal);
    EXPECT_EQ(Canvas.ConnectorCount(), 0);
}

TEST_F(PanelDragGestureTest, PortClicksDuringAResizeOrWhilePanningDoNothing) {
    TDragPanel& a = AddPanel(0, 0);
    TDragPanel& b = AddPanel(200, 0);
    a.SetResizeStyle(TDragPanelResizeStyle::dprsLine);
    a.MouseDown(TMouseButton::mbLeft, {}, Corner.x, Corner.y);
    ClickPort(b, PortLeft);
    EXPECT_EQ(Canvas.Status(), cpsResizingPanel);
    Canvas.EndPanelDrag(a, TDropTarget::dtElsewhere, 0, 0);
    Press(400, 300);
    ClickPort(b, PortLeft);
    EXPECT_EQ(Canvas.Status(), cpsDraggingBackground);
    EXPECT_TRUE(Platform.Messages.empty());
}

TEST_F(PanelDragGestureTest, DeletingThePanelBeingDraggedEndsTheDrag) {
    TDragPanel& p = AddPanel(0, 0);
    p.MouseDown(TMouseButton::mbLeft, {}, Body.x, Body.y);
    Canvas.DragOver(&p, true, 50, 50);
    Canvas.DeleteDragPanel(0);
    EXPECT_EQ(Canvas.DragComponent(), nullptr);
    EXPECT_EQ(Canvas.Status(), cpsNormal);
    EXPECT_FALSE(Canvas.RubberBandShown());
}

} // namespace
} // namespace zaro::test
