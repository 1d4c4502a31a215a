#include "CaseNames.h"
#include "CodingPanelFixture.h"
#include "Grid.h"
#include "ZaroStream.h"

#include <gmock/gmock.h>

namespace zaro::test {
namespace {

using ::testing::ElementsAre;

// --- Grid snapping -----------------------------------------------------------

struct SnapCase {
    std::int32_t Value;
    std::int32_t Pitch;
    std::int32_t Rounded;   // nearest, ties to even
    std::int32_t Truncated; // toward zero
};

class GridSnapTest : public ::testing::TestWithParam<SnapCase> {};

TEST_P(GridSnapTest, RoundsToNearestWithTiesToEvenAndTruncatesTowardZero) {
    const SnapCase c = GetParam();
    EXPECT_EQ(RoundToGrid(c.Value, c.Pitch), c.Rounded);
    EXPECT_EQ(TruncToGrid(c.Value, c.Pitch), c.Truncated);
}

INSTANTIATE_TEST_SUITE_P(Values, GridSnapTest,
                         ::testing::Values(SnapCase{126, 4, 128, 124}, // 31.5 -> 32
                                           SnapCase{122, 4, 120, 120}, // 30.5 -> 30
                                           SnapCase{127, 4, 128, 124}, SnapCase{125, 4, 124, 124},
                                           SnapCase{43, 4, 44, 40}, SnapCase{37, 4, 36, 36},
                                           SnapCase{68, 8, 64, 64}, // 8.5 -> 8
                                           SnapCase{70, 8, 72, 64}, SnapCase{4, 8, 0, 0},
                                           SnapCase{12, 8, 16, 8}, SnapCase{0, 4, 0, 0},
                                           SnapCase{-126, 4, -128, -124}, // -31.5 -> -32
                                           SnapCase{-122, 4, -120, -120}, SnapCase{-2, 4, 0, 0},
                                           SnapCase{-5, 4, -4, -4}, SnapCase{-7, 4, -8, -4},
                                           SnapCase{17, 1, 17, 17}, SnapCase{250, 100, 200, 200}),
                         test::NamedBy<SnapCase>([](const SnapCase& c) {
                             return std::to_string(c.Value) + "by" + std::to_string(c.Pitch);
                         }));

// --- Route shapes ------------------------------------------------------------

class ConnectorRouteTest : public CodingPanelFixture {
protected:
    void SetUp() override { Canvas.SetConnectorGridPitch(4); }
};

TEST_F(ConnectorRouteTest, FacingPortsSideBySideGiveFiveSegmentsThroughTheMiddleHeight) {
    AddPanel(96, 96);
    AddPanel(0, 0);
    Canvas.ConnectPorts(0, PortLeft, 1, PortRight);
    const TConnector& c = Canvas.Connector(0);
    EXPECT_TRUE(c.Routed());
    EXPECT_EQ(c.LineCount(), 5);
    EXPECT_THAT(Route(0), ElementsAre(TPoint{96, 128}, TPoint{88, 128}, TPoint{88, 80},
                                      TPoint{72, 80}, TPoint{72, 32}, TPoint{64, 32}));
}

TEST_F(ConnectorRouteTest, RouteIsInCanvasCoordinatesWhateverTheScrolling) {
    Canvas.SetHorzScrollPosition(40);
    Canvas.SetVertScrollPosition(20);
    AddPanel(56, 76);   // canvas (96, 96)
    AddPanel(-40, -20); // canvas (0, 0)
    Canvas.ConnectPorts(0, PortLeft, 1, PortRight);
    EXPECT_THAT(Route(0), ElementsAre(TPoint{96, 128}, TPoint{88, 128}, TPoint{88, 80},
                                      TPoint{72, 80}, TPoint{72, 32}, TPoint{64, 32}));
}

TEST_F(ConnectorRouteTest, VerticalPortsGiveFiveSegmentsThroughTheMiddleColumn) {
    AddPanel(0, 0);
    AddPanel(96, 96);
    Canvas.ConnectPorts(0, PortDown, 1, PortUp);
    EXPECT_EQ(Canvas.Connector(0).LineCount(), 5);
    EXPECT_THAT(Route(0), ElementsAre(TPoint{32, 64}, TPoint{32, 72}, TPoint{80, 72},
                                      TPoint{80, 88}, TPoint{128, 88}, TPoint{128, 96}));
}

TEST_F(ConnectorRouteTest, HorizontalStartAndVerticalEndGiveFourSegmentsCorneredAtTheStartStub) {
    AddPanel(0, 0);
    AddPanel(96, 96);
    Canvas.ConnectPorts(0, PortRight, 1, PortUp);
    EXPECT_EQ(Canvas.Connector(0).LineCount(), 4);
    EXPECT_THAT(Route(0), ElementsAre(TPoint{64, 32}, TPoint{72, 32}, TPoint{72, 88},
                                      TPoint{128, 88}, TPoint{128, 96}));
}

TEST_F(ConnectorRouteTest, DownwardStartAndRightwardEndGiveFourSegmentsCorneredAtTheEndStub) {
    AddPanel(96, 96);
    AddPanel(0, 0);
    Canvas.ConnectPorts(0, PortDown, 1, PortRight);
    EXPECT_EQ(Canvas.Connector(0).LineCount(), 4);
    EXPECT_THAT(Route(0), ElementsAre(TPoint{128, 160}, TPoint{128, 168}, TPoint{72, 168},
                                      TPoint{72, 32}, TPoint{64, 32}));
}

TEST_F(ConnectorRouteTest, StubLengthIsTwiceTheConnectorGrid) {
    Canvas.SetConnectorGridPitch(10);
    AddPanel(100, 100);
    AddPanel(300, 100);
    Canvas.ConnectPorts(0, PortRight, 1, PortLeft);
    const TConnector& c = Canvas.Connector(0);
    EXPECT_EQ(c.Point(1).x - c.Point(0).x, 20);
    EXPECT_EQ(c.Point(4).x - c.Point(5).x, -20);
}

TEST_F(ConnectorRouteTest, RoutingAgainClearsThePointFlagsAndKeepsVerticesAboveTheLineCount) {
    AddPanel(0, 0);
    AddPanel(96, 96);
    TConnector& c = Canvas.NewConnector();
    c.SetStartPanelNo(0);
    c.SetStartPortNo(PortRight);
    c.SetEndPanelNo(1);
    c.SetEndPortNo(PortUp);
    c.SetPoint(5, {7, 9});
    c.SetPointFlag(2, true);
    c.Route();
    EXPECT_FALSE(c.PointFlag(2));
    EXPECT_EQ(c.Point(5), (TPoint{7, 9}));
}

TEST_F(ConnectorRouteTest, RoutingWithMissingPanelOrPortFailsAndLeavesTheRouteAlone) {
    AddPanel(0, 0);
    TConnector& c = Canvas.NewConnector();
    c.SetStartPanelNo(0);
    c.SetStartPortNo(PortRight);
    c.SetEndPanelNo(3);
    c.SetEndPortNo(0);
    c.SetPoint(0, {5, 5});
    EXPECT_THROW(c.Route(), ERangeError);
    c.SetEndPanelNo(0);
    c.SetEndPortNo(7);
    EXPECT_THROW(c.Route(), ERangeError);
    EXPECT_FALSE(c.Routed());
    EXPECT_EQ(c.Point(0), (TPoint{5, 5}));
}

TEST(ConnectorAlone, NeedsACanvasToRouteAndDrawsNothingWithoutOne) {
    TConnector c;
    EXPECT_THROW(c.Route(), EZaroError);
    EXPECT_THROW(c.FollowPanel(0), EZaroError);
    c.SetRouted(true);
    c.SetLineCount(4);
    EXPECT_TRUE(c.Draw().empty());
}

TEST(ConnectorAlone, VertexFlagAndLineCountAccessIsRangeChecked) {
    TConnector c;
    EXPECT_THROW(c.Point(6), ERangeError);
    EXPECT_THROW(c.SetPointX(-1, 0), ERangeError);
    EXPECT_THROW(c.SetPointFlag(6, true), ERangeError);
    EXPECT_THROW(c.SetLineCount(6), ERangeError);
    EXPECT_THROW(c.SetLineCount(-1), ERangeError);
    c.SetLineCount(5);
    EXPECT_EQ(c.LineCount(), 5);
}

TEST(ConnectorAlone, EveryEndSetterDropsTheRouteAndThePointFlags) {
    const std::vector<void (TConnector::*)(std::int32_t)> setters = {
        &TConnector::SetEndPanelNo, &TConnector::SetEndPortNo, &TConnector::SetStartPanelNo,
        &TConnector::SetStartPortNo};
    for (auto setter : setters) {
        TConnector c;
        c.SetRouted(true);
        for (int i = 0; i < TConnector::MaxPoints; ++i) {
            c.SetPointFlag(i, true);
        }
        (c.*setter)(3);
        EXPECT_FALSE(c.Routed());
        for (int i = 0; i < TConnector::MaxPoints; ++i) {
            EXPECT_FALSE(c.PointFlag(i));
        }
    }
    TConnector c;
    c.SetStartPortNo(2);
    c.SetEndPanelNo(4);
    EXPECT_EQ(c.StartPortNo(), 2);
    EXPECT_EQ(c.EndPanelNo(), 4);
}

// --- Following a moved panel -------------------------------------------------

TEST_F(ConnectorRouteTest, MovingTheEndPanelRewritesOnlyTheEndStubAndOneCoordinateOfTheNextVertex) {
    AddPanel(96, 96);
    TDragPanel& end = AddPanel(0, 0);
    Canvas.ConnectPorts(0, PortLeft, 1, PortRight);
    end.SetBounds(8, 40, 64, 64);
    Canvas.Connector(0).FollowPanel(1);
    EXPECT_THAT(Route(0), ElementsAre(TPoint{96, 128}, TPoint{88, 128}, TPoint{88, 80},
                                      TPoint{80, 80}, TPoint{80, 72}, TPoint{72, 72}));
}

TEST_F(ConnectorRouteTest, MovingTheStartPanelKeepsASegmentTheUserMoved) {
    TDragPanel& start = AddPanel(0, 0);
    AddPanel(96, 96);
    Canvas.ConnectPorts(0, PortDown, 1, PortUp);
    TConnector& c = Canvas.Connector(0);
    c.SetPointX(2, 100); // the middle segment moved by hand
    c.SetPointX(3, 100);
    start.SetBounds(16, 8, 64, 64);
    c.FollowPanel(0);
    EXPECT_THAT(Route(0), ElementsAre(TPoint{48, 72}, TPoint{48, 80}, TPoint{100, 80},
                                      TPoint{100, 88}, TPoint{128, 88}, TPoint{128, 96}));
    EXPECT_TRUE(c.Routed());
}

TEST_F(ConnectorRouteTest, AWireWithBothEndsOnOnePanelFollowsWithItsStartOnly) {
    TDragPanel& p = AddPanel(0, 0);
    Canvas.ConnectPorts(0, PortRight, 0, PortUp);
    const std::vector<TPoint> before = Route(0);
    p.SetBounds(40, 0, 64, 64);
    Canvas.Connector(0).FollowPanel(0);
    const std::vector<TPoint> after = Route(0);
    EXPECT_EQ(after[0], (TPoint{104, 32}));
    EXPECT_EQ(after.back(), before.back());
}

TEST_F(ConnectorRouteTest, FollowingWithoutARouteComputesTheWholeRoute) {
    AddPanel(96, 96);
    AddPanel(0, 0);
    TConnector& c = Canvas.NewConnector();
    c.SetStartPanelNo(0);
    c.SetStartPortNo(PortLeft);
    c.SetEndPanelNo(1);
    c.SetEndPortNo(PortRight);
    c.FollowPanel(1);
    EXPECT_TRUE(c.Routed());
    EXPECT_THAT(Route(0), ElementsAre(TPoint{96, 128}, TPoint{88, 128}, TPoint{88, 80},
                                      TPoint{72, 80}, TPoint{72, 32}, TPoint{64, 32}));
}

// --- Drawing -----------------------------------------------------------------

TEST_F(ConnectorRouteTest, AnUnselectedWireIsDrawnWithTheConnectorPenInScreenCoordinates) {
    AddPanel(96, 96);
    AddPanel(0, 0);
    Canvas.ConnectPorts(0, PortLeft, 1, PortRight);
    Canvas.SetHorzScrollPosition(10);
    Canvas.SetVertScrollPosition(20);
    const auto segments = Canvas.Connector(0).Draw();
    ASSERT_EQ(segments.size(), 5u);
    EXPECT_EQ(segments[0].From, (TPoint{86, 108}));
    EXPECT_EQ(segments[4].To, (TPoint{54, 12}));
    for (const auto& s : segments) {
        EXPECT_EQ(s.Pen, TConnectorPenKind::ConnectorPen);
    }
}

TEST_F(ConnectorRouteTest, TheSelectedSegmentGetsTheLinePenAndTheRestOfItsWireTheSelectedPen) {
    AddPanel(96, 96);
    AddPanel(0, 0);
    Canvas.ConnectPorts(0, PortLeft, 1, PortRight);
    Canvas.SetSelectedConnectorNo(0);
    Canvas.SetSelectedLineNo(2); // from vertex 2 to vertex 3
    const auto segments = Canvas.Connector(0).Draw();
    ASSERT_EQ(segments.size(), 5u);
    using enum TConnectorPenKind;
    EXPECT_EQ(segments[2].Pen, SelectedLinePen);
    EXPECT_EQ(segments[2].From, (TPoint{88, 80}));
    for (int k : {0, 1, 3, 4}) {
        EXPECT_EQ(segments[k].Pen, SelectedConnectorPen);
    }
    EXPECT_EQ(Canvas.PenOf(SelectedLinePen).Width, 3);
}

TEST_F(ConnectorRouteTest, AnUnroutedWireIsNotDrawn) {
    AddPanel(96, 96);
    AddPanel(0, 0);
    Canvas.ConnectPorts(0, PortLeft, 1, PortRight);
    Canvas.Connector(0).SetRouted(false);
    EXPECT_TRUE(Canvas.Connector(0).Draw().empty());
}

// --- Record ------------------------------------------------------------------

void PutInt(std::vector<std::uint8_t>& out, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(u >> shift));
    }
}

void PutString(std::vector<std::uint8_t>& out, const std::string& s) {
    PutInt(out, static_cast<std::int32_t>(s.size()));
    out.insert(out.end(), s.begin(), s.end());
}

class ConnectorRecordTest : public ConnectorRouteTest {
protected:
    void SetUp() override {
        ConnectorRouteTest::SetUp();
        AddPanel(96, 96);
        AddPanel(0, 0);
        Canvas.ConnectPorts(0, PortLeft, 1, PortRight);
    }

    // The record of the wire routed in SetUp, byte by byte, with flag 3 set.
    static std::vector<std::uint8_t> ExpectedRecord() {
        std::vector<std::uint8_t> b;
        PutString(b, "TConnector");
        for (std::int32_t v : {1, 1, 0, 5, 0, 0}) { // end panel, end port, index, count, start
            PutInt(b, v);
        }
        for (int i = 0; i < 6; ++i) {
            PutInt(b, i == 3 ? 1 : 0);
        }
        for (std::int32_t v : {96, 128, 88, 128, 88, 80, 72, 80, 72, 32, 64, 32}) {
            PutInt(b, v);
        }
        PutInt(b, 1);
        return b;
    }
};

TEST_F(ConnectorRecordTest, IsWrittenItemByItemWithAllSixVertices) {
    TConnector& c = Canvas.Connector(0);
    c.SetPointFlag(3, true);
    TMemoryStream s;
    c.SaveToStream(s);
    EXPECT_EQ(s.Bytes(), ExpectedRecord());
}

TEST_F(ConnectorRecordTest, ReadsBackAsStoredAndWritesTheSameBytesAgain) {
    TMemoryStream s(ExpectedRecord());
    TConnector& c = Canvas.NewConnector();
    const int repaints = Platform.Count("RepaintCanvas");
    c.LoadFromStream(s);
    EXPECT_EQ(s.Position(), s.Size());
    EXPECT_EQ(Platform.Count("RepaintCanvas"), repaints + 1);
    EXPECT_TRUE(c.Routed()); // set after the end setters cleared it
    EXPECT_TRUE(c.PointFlag(3));
    EXPECT_EQ(c.StartPanelNo(), 0);
    EXPECT_EQ(c.EndPanelNo(), 1);
    EXPECT_EQ(c.Index(), 0); // as stored, not the list position
    EXPECT_THAT(Route(0), ElementsAre(TPoint{96, 128}, TPoint{88, 128}, TPoint{88, 80},
                                      TPoint{72, 80}, TPoint{72, 32}, TPoint{64, 32}));
    TMemoryStream again;
    c.SaveToStream(again);
    EXPECT_EQ(again.Bytes(), ExpectedRecord());
}

TEST_F(ConnectorRecordTest, AStoredRouteIsTakenAsItIsAndAnUnroutedOneIsNotDrawn) {
    std::vector<std::uint8_t> bytes = ExpectedRecord();
    bytes[bytes.size() - 4] = 0;  // Routed false
    bytes[bytes.size() - 8] = 99; // last vertex y, not what routing would give
    TMemoryStream s(bytes);
    TConnector& c = Canvas.NewConnector();
    c.LoadFromStream(s);
    EXPECT_FALSE(c.Routed());
    EXPECT_EQ(c.Point(5).y, 99);
    EXPECT_TRUE(c.Draw().empty());
}

class ConnectorBadRecordTest : public ConnectorRecordTest {
protected:
    // Loading `bytes` behind a two-byte prefix fails, leaves the stream where
    // the record began and the wire as routed.
    template <class Error>
    void ExpectRefused(std::vector<std::uint8_t> bytes, const std::string& message = "") {
        bytes.insert(bytes.begin(), {0xAA, 0xBB});
        TMemoryStream s(bytes);
        s.SetPosition(2);
        const std::vector<TPoint> before = Route(0);
        TConnector& c = Canvas.Connector(0);
        try {
            c.LoadFromStream(s);
            ADD_FAILURE() << "record accepted";
        } catch (const Error& e) {
            if (!message.empty()) {
                EXPECT_EQ(std::string(e.what()), message);
            }
        }
        EXPECT_EQ(s.Position(), 2);
        EXPECT_TRUE(c.Routed());
        EXPECT_EQ(c.EndPanelNo(), 1);
        EXPECT_EQ(Route(0), before);
    }
};

TEST_F(ConnectorBadRecordTest, WrongTagIsRefused) {
    std::vector<std::uint8_t> bytes;
    PutString(bytes, "TDragPanel");
    PutInt(bytes, 0);
    ExpectRefused<EZaroError>(bytes, "TConnector.LoadFromStream: This is not TConnector object.");
}

TEST_F(ConnectorBadRecordTest, ShortRecordIsRefused) {
    std::vector<std::uint8_t> bytes = ExpectedRecord();
    bytes.resize(bytes.size() - 3);
    ExpectRefused<EReadError>(bytes);
}

TEST_F(ConnectorBadRecordTest, LineCountBeyondTheSixVerticesIsRefused) {
    std::vector<std::uint8_t> bytes = ExpectedRecord();
    bytes[14 + 12] = 6; // LineCount
    ExpectRefused<EZaroStreamError>(bytes);
    bytes[14 + 12] = 0xFF; // low byte of -1 ...
    bytes[14 + 13] = bytes[14 + 14] = bytes[14 + 15] = 0xFF;
    ExpectRefused<EZaroStreamError>(bytes);
}

} // namespace
} // namespace zaro::test
