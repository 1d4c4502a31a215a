#include "Connector.h"

#include "CodingPanel.h"
#include "DragPanels.h"
#include "Grid.h"
#include "ZaroStream.h"

namespace zaro {

namespace {

bool FacesHorizontally(TPortDirection d) {
    return d == TPortDirection::pdLeft || d == TPortDirection::pdRight;
}

// The point s pixels out from p on the side the port faces.
TPoint Stub(TPoint p, TPortDirection d, std::int32_t s) {
    switch (d) {
    case TPortDirection::pdUp:
        return {p.x, p.y - s};
    case TPortDirection::pdDown:
        return {p.x, p.y + s};
    case TPortDirection::pdLeft:
        return {p.x - s, p.y};
    case TPortDirection::pdRight:
        break;
    }
    return {p.x + s, p.y};
}

TPortDirection DirectionOf(const TCodingPanel& canvas, std::int32_t panelNo, std::int32_t portNo) {
    return canvas.DragPanel(panelNo).PortDirection(portNo);
}

std::int32_t StubLength(const TCodingPanel& canvas) {
    return 2 * canvas.ConnectorGridPitch();
}

// Everything a record holds, read completely before the connector changes.
struct TConnectorRecord {
    std::int32_t EndPanelNo = -1;
    std::int32_t EndPortNo = -1;
    std::int32_t Index = -1;
    std::int32_t LineCount = 0;
    std::int32_t StartPanelNo = -1;
    std::int32_t StartPortNo = -1;
    std::array<bool, TConnector::MaxPoints> Flags{};
    std::array<TPoint, TConnector::MaxPoints> Points{};
    bool Routed = false;
};

TConnectorRecord ReadRecordBody(TStream& stream) {
    TConnectorRecord r;
    r.EndPanelNo = ReadIntegerFromStr(stream);
    r.EndPortNo = ReadIntegerFromStr(stream);
    r.Index = ReadIntegerFromStr(stream);
    r.LineCount = ReadIntegerFromStr(stream);
    r.StartPanelNo = ReadIntegerFromStr(stream);
    r.StartPortNo = ReadIntegerFromStr(stream);
    for (bool& flag : r.Flags) {
        flag = ReadBooleanFromStr(stream);
    }
    for (TPoint& p : r.Points) {
        p.x = ReadIntegerFromStr(stream);
        p.y = ReadIntegerFromStr(stream);
    }
    r.Routed = ReadBooleanFromStr(stream);
    if (r.LineCount < 0 || r.LineCount >= TConnector::MaxPoints) {
        throw EZaroStreamError("TConnector.LoadFromStream: LineCount " +
                               std::to_string(r.LineCount) + " is outside 0..5.");
    }
    return r;
}

} // namespace

TPoint PortAttachPoint(const TCodingPanel& canvas, std::int32_t panelNo, std::int32_t portNo) {
    const TDragPanel& panel = canvas.DragPanel(panelNo);
    TRect r = panel.PortRect(portNo);
    TPoint p;
    switch (panel.PortDirection(portNo)) {
    case TPortDirection::pdUp:
        p = {Div(r.Left + r.Right, 2), r.Top};
        break;
    case TPortDirection::pdDown:
        p = {Div(r.Left + r.Right, 2), r.Bottom};
        break;
    case TPortDirection::pdLeft:
        p = {r.Left, Div(r.Top + r.Bottom, 2)};
        break;
    case TPortDirection::pdRight:
        p = {r.Right, Div(r.Top + r.Bottom, 2)};
        break;
    }
    return p + TPoint{panel.Left(), panel.Top()} + canvas.ScrollPosition();
}

void TConnector::SetEndPanelNo(std::int32_t value) {
    FEndPanelNo = value;
    ClearRoute();
}

void TConnector::SetEndPortNo(std::int32_t value) {
    FEndPortNo = value;
    ClearRoute();
}

void TConnector::SetStartPanelNo(std::int32_t value) {
    FStartPanelNo = value;
    ClearRoute();
}

void TConnector::SetStartPortNo(std::int32_t value) {
    FStartPortNo = value;
    ClearRoute();
}

void TConnector::SetLineCount(std::int32_t value) {
    CheckIndex(value, MaxPoints);
    FLineCount = value;
}

TPoint TConnector::Point(int i) const {
    CheckIndex(i, MaxPoints);
    return FPoints[i];
}

void TConnector::SetPoint(int i, TPoint p) {
    CheckIndex(i, MaxPoints);
    FPoints[i] = p;
}

void TConnector::SetPointX(int i, std::int32_t x) {
    CheckIndex(i, MaxPoints);
    FPoints[i].x = x;
}

void TConnector::SetPointY(int i, std::int32_t y) {
    CheckIndex(i, MaxPoints);
    FPoints[i].y = y;
}

bool TConnector::PointFlag(int i) const {
    CheckIndex(i, MaxPoints);
    return FPointFlags[i];
}

void TConnector::SetPointFlag(int i, bool value) {
    CheckIndex(i, MaxPoints);
    FPointFlags[i] = value;
}

void TConnector::ClearRoute() {
    FRouted = false;
    FPointFlags.fill(false);
}

void TConnector::SnapPoints() {
    const std::int32_t g = Canvas().ConnectorGridPitch();
    for (int i = 0; i <= FLineCount; ++i) {
        FPoints[i] = {RoundToGrid(FPoints[i].x, g), RoundToGrid(FPoints[i].y, g)};
    }
}

void TConnector::Rerouted() const {
    if (FOwner != nullptr) {
        FOwner->Platform().RepaintCanvas();
        FOwner->WireRerouted.Emit(FIndex);
    }
}

TCodingPanel& TConnector::Canvas() const {
    if (FOwner == nullptr) {
        throw EZaroError("TConnector: the connector does not belong to a canvas.");
    }
    return *FOwner;
}

void TConnector::Route() {
    const TCodingPanel& canvas = Canvas();
    // Everything is looked up before the route changes, so bad numbers leave it intact.
    const TPoint a = PortAttachPoint(canvas, FStartPanelNo, FStartPortNo);
    const TPoint b = PortAttachPoint(canvas, FEndPanelNo, FEndPortNo);
    const TPortDirection da = DirectionOf(canvas, FStartPanelNo, FStartPortNo);
    const TPortDirection db = DirectionOf(canvas, FEndPanelNo, FEndPortNo);
    const std::int32_t s = StubLength(canvas);
    FPointFlags.fill(false);

    const TPoint p1 = Stub(a, da, s);
    const TPoint nearB = Stub(b, db, s);
    FPoints[0] = a;
    FPoints[1] = p1;
    if (FacesHorizontally(da) == FacesHorizontally(db)) {
        FLineCount = 5;
        FPoints[4] = nearB;
        FPoints[5] = b;
        if (FacesHorizontally(da)) {
            FPoints[2] = {p1.x, Div(p1.y + nearB.y, 2)};
            FPoints[3] = {nearB.x, FPoints[2].y};
        } else {
            FPoints[2] = {Div(p1.x + nearB.x, 2), p1.y};
            FPoints[3] = {FPoints[2].x, nearB.y};
        }
    } else {
        FLineCount = 4;
        FPoints[3] = nearB;
        FPoints[4] = b;
        FPoints[2] = FacesHorizontally(da) ? TPoint{p1.x, nearB.y} : TPoint{nearB.x, p1.y};
    }
    SnapPoints();
    FRouted = true;
    Rerouted();
}

void TConnector::FollowPanel(std::int32_t panelNo) {
    // Without a route of at least two segments there is nothing to patch.
    if (FLineCount < 2) {
        Route();
        return;
    }
    const TCodingPanel& canvas = Canvas();
    const bool atStart = FStartPanelNo == panelNo;
    const std::int32_t port = atStart ? FStartPortNo : FEndPortNo;
    const int iEnd = atStart ? 0 : FLineCount;
    const int iStub = atStart ? 1 : FLineCount - 1;
    const int iNext = atStart ? 2 : FLineCount - 2;
    const TPoint p = PortAttachPoint(canvas, panelNo, port);
    const TPortDirection d = DirectionOf(canvas, panelNo, port);
    const TPoint stub = Stub(p, d, StubLength(canvas));

    FPoints[iEnd] = p;
    FPoints[iStub] = stub;
    if (FacesHorizontally(d)) {
        FPoints[iNext].x = stub.x;
    } else {
        FPoints[iNext].y = stub.y;
    }
    SnapPoints();
    FRouted = true;
    Rerouted();
}

std::vector<TConnectorSegment> TConnector::Draw() const {
    std::vector<TConnectorSegment> segments;
    if (!FRouted || FOwner == nullptr) {
        return segments;
    }
    const bool selected = FOwner->SelectedConnectorNo() == FIndex;
    const TPoint scroll = FOwner->ScrollPosition();
    for (int k = 1; k <= FLineCount; ++k) {
        TConnectorPenKind pen = TConnectorPenKind::ConnectorPen;
        if (selected) {
            pen = k - 1 == FOwner->SelectedLineNo() ? TConnectorPenKind::SelectedLinePen
                                                    : TConnectorPenKind::SelectedConnectorPen;
        }
        segments.push_back({FPoints[k - 1] - scroll, FPoints[k] - scroll, pen});
    }
    return segments;
}

void TConnector::SaveToStream(TStream& stream) const {
    WriteStringToStr(stream, "TConnector");
    WriteIntegerToStr(stream, FEndPanelNo);
    WriteIntegerToStr(stream, FEndPortNo);
    WriteIntegerToStr(stream, FIndex);
    WriteIntegerToStr(stream, FLineCount);
    WriteIntegerToStr(stream, FStartPanelNo);
    WriteIntegerToStr(stream, FStartPortNo);
    for (bool flag : FPointFlags) {
        WriteBooleanToStr(stream, flag);
    }
    for (TPoint p : FPoints) {
        WriteIntegerToStr(stream, p.x);
        WriteIntegerToStr(stream, p.y);
    }
    WriteBooleanToStr(stream, FRouted);
}

void TConnector::LoadFromStream(TStream& stream) {
    const std::int64_t start = stream.Position();
    CheckRecordTag(stream, "TConnector");
    TConnectorRecord r;
    try {
        r = ReadRecordBody(stream);
    } catch (...) {
        stream.SetPosition(start);
        throw;
    }
    // Through the setters, in record order: the end setters clear Routed and
    // the flags before the stored ones are applied.
    SetEndPanelNo(r.EndPanelNo);
    SetEndPortNo(r.EndPortNo);
    SetIndex(r.Index);
    SetLineCount(r.LineCount);
    SetStartPanelNo(r.StartPanelNo);
    SetStartPortNo(r.StartPortNo);
    FPointFlags = r.Flags;
    FPoints = r.Points;
    SetRouted(r.Routed);
    Rerouted();
}

} // namespace zaro
