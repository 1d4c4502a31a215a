#include "CaseNames.h"
#include "CodingPanelFixture.h"

#include <gmock/gmock.h>

namespace zaro::test {
namespace {

using ::testing::ElementsAre;

class CodingPanelListsTest : public CodingPanelFixture {
protected:
    // The connector numbers of every port of panel i.
    std::vector<int> Ports(int i) const {
        std::vector<int> numbers;
        const TDragPanel& p = Canvas.DragPanel(i);
        for (int port = 0; port < p.PortCount(); ++port) {
            numbers.push_back(p.PortConnectorNo(port));
        }
        return numbers;
    }

    // Every wire's Index is its position, and both of its ports name it.
    void ExpectConsistent() const {
        for (int i = 0; i < Canvas.ConnectorCount(); ++i) {
            const TConnector& c = Canvas.Connector(i);
            EXPECT_EQ(c.Index(), i);
            EXPECT_EQ(Canvas.DragPanel(c.StartPanelNo()).PortConnectorNo(c.StartPortNo()), i);
            EXPECT_EQ(Canvas.DragPanel(c.EndPanelNo()).PortConnectorNo(c.EndPortNo()), i);
        }
        for (int i = 0; i < Canvas.DragPanelCount(); ++i) {
            EXPECT_EQ(Canvas.DragPanel(i).Index(), i);
        }
    }
};

TEST_F(CodingPanelListsTest, AddedPanelsAreNumberedInOrderAndBelongToTheCanvas) {
    TDragPanel& a = AddPanel(0, 0);
    TDragPanel& b = AddPanel(100, 0);
    EXPECT_EQ(Canvas.DragPanelCount(), 2);
    EXPECT_EQ(a.Index(), 0);
    EXPECT_EQ(b.Index(), 1);
    EXPECT_EQ(b.Parent(), &Canvas);
    EXPECT_EQ(&Canvas.DragPanel(1), &b);
    EXPECT_THROW(Canvas.DragPanel(2), ERangeError);
    EXPECT_THROW(Canvas.Connector(0), ERangeError);
    EXPECT_THROW(Canvas.AddDragPanel(nullptr), EZaroError);
}

TEST_F(CodingPanelListsTest, NewConnectorIsAppendedAndOwnedByTheCanvas) {
    TConnector& c = Canvas.NewConnector();
    EXPECT_EQ(c.Index(), 0);
    EXPECT_EQ(c.Owner(), &Canvas);
    EXPECT_FALSE(c.Routed());
    EXPECT_EQ(Canvas.NewConnector().Index(), 1);
}

TEST_F(CodingPanelListsTest, ConnectingPortsRecordsTheWireAtBothPortsAndRoutesIt) {
    AddPanel(0, 0);
    AddPanel(200, 0);
    Canvas.ConnectPorts(0, PortRight, 1, PortLeft);
    ASSERT_EQ(Canvas.ConnectorCount(), 1);
    const TConnector& c = Canvas.Connector(0);
    EXPECT_EQ(c.StartPanelNo(), 0);
    EXPECT_EQ(c.StartPortNo(), PortRight);
    EXPECT_EQ(c.EndPanelNo(), 1);
    EXPECT_EQ(c.EndPortNo(), PortLeft);
    EXPECT_TRUE(c.Routed());
    EXPECT_THAT(Ports(0), ElementsAre(-1, 0, -1, -1));
    EXPECT_THAT(Ports(1), ElementsAre(0, -1, -1, -1));
}

TEST_F(CodingPanelListsTest, ConnectingAWiredPortReplacesItsWireAndShiftsLaterNumbers) {
    for (int i = 0; i < 4; ++i) {
        AddPanel(i * 100, 0);
    }
    Canvas.ConnectPorts(0, PortRight, 1, PortLeft); // wire 0
    Canvas.ConnectPorts(2, PortRight, 3, PortLeft); // wire 1
    Canvas.ConnectPorts(1, PortLeft, 2, PortUp);    // replaces wire 0
    ASSERT_EQ(Canvas.ConnectorCount(), 2);
    EXPECT_THAT(Ports(0), ElementsAre(-1, -1, -1, -1)); // the old wire's far end is free
    EXPECT_EQ(Canvas.Connector(0).StartPanelNo(), 2);   // the former wire 1 moved down
    EXPECT_EQ(Canvas.Connector(1).StartPanelNo(), 1);
    ExpectConsistent();
}

TEST_F(CodingPanelListsTest, ConnectingBadPortsChangesNothing) {
    AddPanel(0, 0);
    AddPanel(100, 0);
    Canvas.ConnectPorts(0, PortRight, 1, PortLeft);
    EXPECT_THROW(Canvas.ConnectPorts(0, PortRight, 2, 0), ERangeError);
    EXPECT_THROW(Canvas.ConnectPorts(0, PortRight, 1, 4), ERangeError);
    EXPECT_THROW(Canvas.ConnectPorts(1, PortUp, 1, PortUp), EZaroError);
    EXPECT_EQ(Canvas.ConnectorCount(), 1);
    ExpectConsistent();
}

TEST_F(CodingPanelListsTest, DeletingAWireFreesItsPortsAndRenumbersLaterWires) {
    for (int i = 0; i < 3; ++i) {
        AddPanel(i * 100, 0);
    }
    Canvas.ConnectPorts(0, PortRight, 1, PortLeft);
    Canvas.ConnectPorts(1, PortRight, 2, PortLeft);
    Canvas.ConnectPorts(2, PortDown, 0, PortDown);
    Canvas.SetSelectedConnectorNo(2);
    Canvas.DeleteConnector(0);
    EXPECT_EQ(Canvas.SelectedConnectorNo(), -1);
    ASSERT_EQ(Canvas.ConnectorCount(), 2);
    EXPECT_THAT(Ports(0), ElementsAre(-1, -1, -1, 1));
    EXPECT_THAT(Ports(1), ElementsAre(-1, 0, -1, -1));
    EXPECT_TRUE(Canvas.Connector(0).Routed());
    ExpectConsistent();
    EXPECT_THROW(Canvas.DeleteConnector(2), ERangeError);
}

TEST_F(CodingPanelListsTest, DeletingPanelZeroOfThreeDropsItsWireAndRenumbersTheRestKeepingRoutes) {
    for (int i = 0; i < 3; ++i) {
        AddPanel(i * 100, 0);
    }
    Canvas.ConnectPorts(1, PortRight, 2, PortLeft); // wire 0, stays
    Canvas.ConnectPorts(0, PortDown, 2, PortDown);  // wire 1, goes with panel 0
    Canvas.ConnectPorts(2, PortUp, 1, PortUp);      // wire 2, stays
    TDragPanel* formerOne = &Canvas.DragPanel(1);
    Canvas.SetSelectedDragPanelNo(0);
    Canvas.DeleteDragPanel(0);

    EXPECT_EQ(Canvas.SelectedDragPanelNo(), -1);
    ASSERT_EQ(Canvas.DragPanelCount(), 2);
    EXPECT_EQ(&Canvas.DragPanel(0), formerOne);
    ASSERT_EQ(Canvas.ConnectorCount(), 2);
    const TConnector& w0 = Canvas.Connector(0);
    const TConnector& w1 = Canvas.Connector(1);
    EXPECT_EQ(w0.StartPanelNo(), 0);
    EXPECT_EQ(w0.EndPanelNo(), 1);
    EXPECT_EQ(w1.StartPanelNo(), 1);
    EXPECT_EQ(w1.EndPanelNo(), 0);
    EXPECT_TRUE(w0.Routed());
    EXPECT_TRUE(w1.Routed());
    EXPECT_THAT(Ports(1), ElementsAre(0, -1, 1, -1));
    ExpectConsistent();
}

// Inserting is deleting backwards: later elements and the references to them
// move up, routes stay, the selection keeps its element; numbers that name
// nothing yet (a model being installed) stay as they are.
TEST_F(CodingPanelListsTest, InsertingInTheMiddleMovesLaterNumbersUpAndTheSelectionAlong) {
    for (int i = 0; i < 3; ++i) {
        AddPanel(i * 100, 0);
    }
    Canvas.ConnectPorts(1, PortRight, 2, PortLeft); // wire 0
    Canvas.ConnectPorts(0, PortDown, 2, PortDown);  // wire 1
    Canvas.SetSelectedDragPanelNo(2);
    TDragPanel* formerTwo = &Canvas.DragPanel(2);
    std::vector<int> inserted;
    Canvas.PanelInserted.Connect([&](int i) { inserted.push_back(i); });

    auto panel = std::make_unique<TDragPanel4P>();
    panel->SetPortConnectorNo(PortUp, 7); // names nothing on this canvas
    TDragPanel& middle = Canvas.InsertDragPanel(1, std::move(panel));
    EXPECT_THAT(inserted, ElementsAre(1));
    EXPECT_EQ(middle.Index(), 1);
    EXPECT_EQ(&Canvas.DragPanel(3), formerTwo);
    EXPECT_EQ(Canvas.SelectedDragPanelNo(), 3);
    EXPECT_EQ(Canvas.Connector(0).StartPanelNo(), 2);
    EXPECT_EQ(Canvas.Connector(1).EndPanelNo(), 3);
    EXPECT_TRUE(Canvas.Connector(0).Routed());
    EXPECT_EQ(middle.PortConnectorNo(PortUp), 7);
    middle.SetPortConnectorNo(PortUp, -1);

    Canvas.SetSelectedConnectorNo(1);
    TConnector& wire = Canvas.InsertConnector(0);
    EXPECT_EQ(wire.Index(), 0);
    EXPECT_EQ(Canvas.SelectedConnectorNo(), 2);
    EXPECT_THAT(Ports(3), ElementsAre(1, -1, -1, 2));
    wire.SetStartPanelNo(0);
    wire.SetStartPortNo(PortRight);
    wire.SetEndPanelNo(1);
    wire.SetEndPortNo(PortLeft);
    Canvas.DragPanel(0).SetPortConnectorNo(PortRight, 0);
    middle.SetPortConnectorNo(PortLeft, 0);
    ExpectConsistent();
    EXPECT_THROW(Canvas.InsertDragPanel(6, std::make_unique<TDragPanel4P>()), ERangeError);
    EXPECT_THROW(Canvas.InsertConnector(-1), ERangeError);
}

TEST_F(CodingPanelListsTest, DeletingAPanelKeepsAnUnroutedWireUnrouted) {
    for (int i = 0; i < 3; ++i) {
        AddPanel(i * 100, 0);
    }
    Canvas.ConnectPorts(1, PortRight, 2, PortLeft);
    Canvas.Connector(0).SetRouted(false);
    Canvas.DeleteDragPanel(0);
    EXPECT_FALSE(Canvas.Connector(0).Routed());
    EXPECT_EQ(Canvas.Connector(0).StartPanelNo(), 0);
}

TEST_F(CodingPanelListsTest, DeletingEveryPanelFromTheLastLeavesAnEmptyCanvas) {
    for (int i = 0; i < 3; ++i) {
        AddPanel(i * 100, 0);
    }
    Canvas.ConnectPorts(0, PortRight, 1, PortLeft);
    Canvas.ConnectPorts(1, PortRight, 2, PortLeft);
    for (int i = Canvas.DragPanelCount() - 1; i >= 0; --i) {
        Canvas.DeleteDragPanel(i);
    }
    EXPECT_EQ(Canvas.DragPanelCount(), 0);
    EXPECT_EQ(Canvas.ConnectorCount(), 0);
    EXPECT_THROW(Canvas.DeleteDragPanel(0), ERangeError);
}

// Records from a damaged file may disagree with the ports; deleting must not
// leave a port naming a wire that is gone.
TEST_F(CodingPanelListsTest, DeletingCopesWithPortsAndWiresThatDisagree) {
    AddPanel(0, 0);
    AddPanel(100, 0);
    TConnector& c = Canvas.NewConnector(); // names panel 1, but no port names it
    c.SetStartPanelNo(0);
    c.SetStartPortNo(PortRight);
    c.SetEndPanelNo(1);
    c.SetEndPortNo(PortLeft);
    Canvas.DragPanel(0).SetPortConnectorNo(PortUp, 0);   // names the wire it is not on
    Canvas.DragPanel(0).SetPortConnectorNo(PortDown, 7); // names no wire at all
    Canvas.DeleteDragPanel(1);
    EXPECT_EQ(Canvas.ConnectorCount(), 0);
    EXPECT_THAT(Ports(0), ElementsAre(-1, -1, -1, 6)); // later numbers still move down
    Canvas.DeleteDragPanel(0);
    EXPECT_EQ(Canvas.DragPanelCount(), 0);
}

// --- Hit test ----------------------------------------------------------------

class CodingPanelHitTest : public CodingPanelListsTest {
protected:
    void SetUp() override { AddFiveSegmentWire(); }
    TConnectorLineHit At(int x, int y) const { return Canvas.HitTestConnectorLine({x, y}); }
};

TEST_F(CodingPanelHitTest, InnerSegmentsAreHitWithinFourPixels) {
    EXPECT_EQ(At(88, 100).LineNo, 1);
    EXPECT_EQ(At(80, 80).LineNo, 2);
    EXPECT_EQ(At(72, 50).LineNo, 3);
    EXPECT_EQ(At(84, 100).LineNo, 1); // left edge, inclusive
    EXPECT_EQ(At(91, 100).LineNo, 1); // right edge - 1
    EXPECT_EQ(At(80, 76).ConnectorNo, 0);
}

TEST_F(CodingPanelHitTest, TheEndSegmentsAndMissesGiveNothing) {
    for (TPoint p :
         {TPoint{92, 128}, TPoint{66, 32}, TPoint{92, 100}, TPoint{83, 100}, TPoint{200, 200}}) {
        const TConnectorLineHit hit = At(p.x, p.y);
        EXPECT_FALSE(hit.Found);
        EXPECT_EQ(hit.ConnectorNo, -1);
        EXPECT_EQ(hit.LineNo, -1);
    }
}

TEST_F(CodingPanelHitTest, TheFirstWireInListOrderWinsAndUnroutedWiresAreNotThere) {
    AddPanel(96, 96 + 200);
    AddPanel(0, 200);
    Canvas.ConnectPorts(2, PortLeft, 3, PortRight);
    Canvas.Connector(1).SetPoint(1, {88, 90}); // lay wire 1's segment onto wire 0's
    Canvas.Connector(1).SetPoint(2, {88, 110});
    EXPECT_EQ(At(88, 100).ConnectorNo, 0);
    Canvas.Connector(0).SetRouted(false);
    EXPECT_EQ(At(88, 100).ConnectorNo, 1);
}

// --- Selection ---------------------------------------------------------------

TEST_F(CodingPanelListsTest, SelectingAWireClearsThePanelSelectionAndRepaintsThatPanel) {
    AddPanel(0, 0);
    AddPanel(100, 0);
    Canvas.ConnectPorts(0, PortRight, 1, PortLeft);
    Canvas.SetSelectedDragPanelNo(1);
    Platform.Calls.clear();
    Canvas.SetSelectedConnectorNo(0);
    EXPECT_EQ(Canvas.SelectedDragPanelNo(), -1);
    EXPECT_EQ(Canvas.SelectedConnectorNo(), 0);
    EXPECT_THAT(Platform.Calls, ElementsAre("RepaintPanel"));
}

TEST_F(CodingPanelListsTest, SelectingAPanelClearsTheWireAndItsSegment) {
    AddPanel(0, 0);
    AddPanel(100, 0);
    Canvas.ConnectPorts(0, PortRight, 1, PortLeft);
    Canvas.SetSelectedConnectorNo(0);
    Canvas.SetSelectedLineNo(2);
    Platform.Calls.clear();
    Canvas.SetSelectedDragPanelNo(1);
    EXPECT_EQ(Canvas.SelectedConnectorNo(), -1);
    EXPECT_EQ(Canvas.SelectedLineNo(), -1);
    EXPECT_EQ(Canvas.SelectedDragPanelNo(), 1);
    EXPECT_THAT(Platform.Calls, ElementsAre("RepaintCanvas"));
    Platform.Calls.clear();
    Canvas.SetSelectedDragPanelNo(0); // the previously selected panel is repainted
    EXPECT_THAT(Platform.Calls, ElementsAre("RepaintPanel"));
    Canvas.SetSelectedConnectorNo(-1); // clearing the wire keeps the panel
    EXPECT_EQ(Canvas.SelectedDragPanelNo(), 0);
}

// --- Settings, size and scrolling ---------------------------------------------

struct PitchCase {
    std::int32_t Given;
    std::int32_t Stored;
};

class GridPitchTest : public ::testing::TestWithParam<PitchCase> {};

TEST_P(GridPitchTest, BothGridsClampToOneThroughHundred) {
    TFakePlatform platform;
    TCodingPanel canvas(platform);
    canvas.SetDragPanelGridPitch(GetParam().Given);
    canvas.SetConnectorGridPitch(GetParam().Given);
    EXPECT_EQ(canvas.DragPanelGridPitch(), GetParam().Stored);
    EXPECT_EQ(canvas.ConnectorGridPitch(), GetParam().Stored);
}

INSTANTIATE_TEST_SUITE_P(Values, GridPitchTest,
                         ::testing::Values(PitchCase{0, 1}, PitchCase{-5, 1}, PitchCase{1, 1},
                                           PitchCase{4, 4}, PitchCase{100, 100},
                                           PitchCase{101, 100}),
                         test::NamedAfter(&PitchCase::Given));

TEST(CodingPanelDefaults, ComeUpWithTheDocumentedToolsAndSettings) {
    TFakePlatform platform;
    TCodingPanel canvas(platform);
    EXPECT_EQ(canvas.Status(), TCodingPanelStatus::cpsNormal);
    EXPECT_EQ(canvas.DragPanelGridPitch(), 8);
    EXPECT_EQ(canvas.ConnectorGridPitch(), 8);
    EXPECT_EQ(canvas.HorzScrollRange(), 640);
    EXPECT_EQ(canvas.VertScrollRange(), 480);
    EXPECT_EQ(canvas.SelectedLinePen, (TPen{clLime, TPenMode::pmCopy, 3, TPenStyle::psSolid}));
    EXPECT_EQ(canvas.SelectedDragPanelPen.Width, 2);
    EXPECT_EQ(canvas.RubberBandPen, (TPen{clBlack, TPenMode::pmNot, 1, TPenStyle::psDot}));
    EXPECT_EQ(canvas.DragPanelPortBrush.Color, clBlue);
    EXPECT_EQ(canvas.DragPanelPortFont, (TFont{clAqua, "Arial", 12}));
    EXPECT_EQ(canvas.MinWidth(), -1);
    EXPECT_FALSE(canvas.AutoSize());
}

TEST_F(CodingPanelListsTest, AMinimumGrowsTheControlAndRaisesASetMaximumButNotAMissingOne) {
    Canvas.SetSize(300, 200);
    Canvas.SetMinWidth(400);
    EXPECT_EQ(Canvas.Width(), 400);
    EXPECT_EQ(Canvas.MaxWidth(), -1);
    Canvas.SetMaxHeight(250);
    Canvas.SetMinHeight(260);
    EXPECT_EQ(Canvas.MaxHeight(), 260);
    EXPECT_EQ(Canvas.Height(), 260);
    Canvas.SetMinHeight(100); // below the size: the size stays
    EXPECT_EQ(Canvas.Height(), 260);
}

TEST_F(CodingPanelListsTest, ScrollPositionsStayInsideTheirRanges) {
    Canvas.SetSize(300, 200);
    Canvas.SetHorzScrollPosition(1000);
    Canvas.SetVertScrollPosition(-5);
    EXPECT_EQ(Canvas.HorzScrollPosition(), 340);
    EXPECT_EQ(Canvas.VertScrollPosition(), 0);
    Canvas.SetHorzScrollRange(400);
    EXPECT_EQ(Canvas.HorzScrollPosition(), 100);
    Canvas.SetSize(500, 200);
    EXPECT_EQ(Canvas.HorzScrollPosition(), 0);
}

TEST_F(CodingPanelListsTest, ScrollingMovesPanelsOnScreenButNotOnTheCanvas) {
    Canvas.SetSize(300, 200);
    TDragPanel& panel = AddPanel(40, 24);
    const TPoint attach = PortAttachPoint(Canvas, 0, PortRight);
    Canvas.SetHorzScrollPosition(30);
    Canvas.SetVertScrollPosition(16);
    EXPECT_EQ((TPoint{panel.Left(), panel.Top()}), (TPoint{10, 8}));
    EXPECT_EQ(PortAttachPoint(Canvas, 0, PortRight), attach);
    Canvas.SetHorzScrollRange(0); // the position snaps back to 0, and the panel with it
    EXPECT_EQ(panel.Left(), 40);
}

TEST_F(CodingPanelListsTest, AutomaticSizingGrowsToHoldEveryPanelWithinTheLimits) {
    Canvas.SetSize(100, 100);
    AddPanel(200, 10); // AutoSize is off: nothing changes
    EXPECT_EQ(Canvas.Width(), 100);
    Canvas.SetAutoSize(true);
    Canvas.AdjustCanvasSize();
    EXPECT_EQ(Canvas.Width(), 264);
    EXPECT_EQ(Canvas.Height(), 100);
    Canvas.SetMaxWidth(250);
    AddPanel(10, 150);
    EXPECT_EQ(Canvas.Width(), 250);
    EXPECT_EQ(Canvas.Height(), 214);
    EXPECT_TRUE(Platform.Messages.empty());
}

TEST_F(CodingPanelListsTest, AutomaticSizingReportsPanelsBeforeTheOriginOncePerAxis) {
    Canvas.SetSize(100, 100);
    Canvas.SetAutoSize(true);
    AddPanel(-20, -30);
    EXPECT_THAT(Platform.Messages,
                ElementsAre("have to move drag panel but not be implemented yet.",
                            "have to move drag panel but not be implemented yet."));
    EXPECT_EQ(Canvas.Width(), 100); // 44 + 20 does not exceed 100
    AddPanel(80, 80);
    EXPECT_EQ(Canvas.Width(), 164);  // 144 + 20
    EXPECT_EQ(Canvas.Height(), 174); // 144 + 30
}

} // namespace
} // namespace zaro::test
