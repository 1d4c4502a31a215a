#include "CodingPanel.h"

#include "DragPanels.h"

#include <algorithm>
#include <limits>

namespace zaro {

namespace {

const std::string MsgAutoSizeNegative = "have to move drag panel but not be implemented yet.";

// Every element from position `from` on takes its position as its number.
template <typename T> void Renumber(std::vector<std::unique_ptr<T>>& list, int from) {
    for (std::size_t j = static_cast<std::size_t>(from); j < list.size(); ++j) {
        list[j]->SetIndex(static_cast<std::int32_t>(j));
    }
}

} // namespace

TCodingPanel::TCodingPanel(TPlatform& platform) : FPlatform(platform) {
    using enum TPenMode;
    using enum TPenStyle;
    ConnectorPen = {clBlack, pmCopy, 1, psSolid};
    SelectedConnectorPen = {clLime, pmCopy, 1, psSolid};
    SelectedLinePen = {clLime, pmCopy, 3, psSolid};
    DragPanelPen = {clBlack, pmCopy, 1, psSolid};
    SelectedDragPanelPen = {clLime, pmCopy, 2, psSolid};
    RubberBandPen = {clBlack, pmNot, 1, psDot};
    DragPanelPortBrush = {clBlue, TBrushStyle::bsSolid};
    DragPanelPortFont = {clAqua, "Arial", 12};
}

// Wires go first: they refer to the panels by number only.
TCodingPanel::~TCodingPanel() = default;

TDragPanel& TCodingPanel::DragPanel(int i) const {
    CheckIndex(i, DragPanelCount());
    return *FDragPanels[i];
}

TConnector& TCodingPanel::Connector(int i) const {
    CheckIndex(i, ConnectorCount());
    return *FConnectors[i];
}

bool TCodingPanel::Owns(const TDragPanel& panel) const {
    const int i = panel.Index();
    return i >= 0 && i < DragPanelCount() && FDragPanels[i].get() == &panel;
}

void TCodingPanel::CheckPort(int panelNo, int portNo) const {
    CheckIndex(portNo, DragPanel(panelNo).PortCount());
}

TDragPanel& TCodingPanel::AddDragPanel(std::unique_ptr<TDragPanel> panel) {
    if (panel == nullptr) {
        throw EZaroError("TCodingPanel.AddDragPanel: no panel given.");
    }
    return InsertDragPanel(DragPanelCount(), std::move(panel));
}

TConnector& TCodingPanel::NewConnector() {
    return InsertConnector(ConnectorCount());
}

// Numbers at or behind the old end name nothing on this canvas (a model being
// installed names wires that come later), so they stay.
TDragPanel& TCodingPanel::InsertDragPanel(int i, std::unique_ptr<TDragPanel> panel) {
    if (panel == nullptr) {
        throw EZaroError("TCodingPanel.InsertDragPanel: no panel given.");
    }
    const int count = DragPanelCount();
    CheckIndex(i, count + 1);
    TDragPanel& added = *panel;
    added.SetParent(this);
    FDragPanels.insert(FDragPanels.begin() + i, std::move(panel));
    Renumber(FDragPanels, i);
    MovePanelNumbers(i, count, 1);
    MoveSelectionUp(&TCanvasSelection::DragPanelNo, i, count);
    added.AfterAdd();
    PanelInserted.Emit(i);
    AdjustCanvasSize();
    return added;
}

TConnector& TCodingPanel::InsertConnector(int i) {
    const int count = ConnectorCount();
    CheckIndex(i, count + 1);
    auto connector = std::make_unique<TConnector>();
    connector->SetOwner(this);
    TConnector& added = *connector;
    FConnectors.insert(FConnectors.begin() + i, std::move(connector));
    Renumber(FConnectors, i);
    MoveConnectorNumbers(i, count, 1);
    MoveSelectionUp(&TCanvasSelection::ConnectorNo, i, count);
    WireAdded.Emit(i);
    return added;
}

void TCodingPanel::MoveSelectionUp(std::int32_t TCanvasSelection::*number, int from, int to) {
    if (FSelection.*number >= from && FSelection.*number < to) {
        TCanvasSelection selection = FSelection;
        ++(selection.*number);
        SetSelection(selection);
    }
}

void TCodingPanel::ReleasePort(int panelNo, int portNo) {
    TDragPanel& panel = DragPanel(panelNo);
    const std::int32_t c = panel.PortConnectorNo(portNo);
    if (c >= 0 && c < ConnectorCount()) {
        DeleteConnector(c);
    } else {
        panel.SetPortConnectorNo(portNo, -1); // a stale number names no wire
    }
}

void TCodingPanel::ConnectPorts(int panel1, int port1, int panel2, int port2) {
    CheckPort(panel1, port1);
    CheckPort(panel2, port2);
    if (panel1 == panel2 && port1 == port2) {
        throw EZaroError("TCodingPanel.ConnectPorts: a port cannot be wired to itself.");
    }
    ReleasePort(panel1, port1);
    ReleasePort(panel2, port2);
    TConnector& c = NewConnector();
    c.SetStartPanelNo(panel1);
    c.SetStartPortNo(port1);
    c.SetEndPanelNo(panel2);
    c.SetEndPortNo(port2);
    DragPanel(panel1).SetPortConnectorNo(port1, c.Index());
    DragPanel(panel2).SetPortConnectorNo(port2, c.Index());
    c.Route();
}

void TCodingPanel::DeleteConnector(int i) {
    CheckIndex(i, ConnectorCount());
    SetSelectedConnectorNo(-1);
    FConnectors.erase(FConnectors.begin() + i);
    Renumber(FConnectors, i);
    // Every port that named the wire lets go of it, also one the wire's own
    // numbers did not point at; later numbers move down by one.
    for (const auto& panel : FDragPanels) {
        for (int port = 0; port < panel->PortCount(); ++port) {
            if (panel->PortConnectorNo(port) == i) {
                panel->SetPortConnectorNo(port, -1);
            }
        }
    }
    MoveConnectorNumbers(i + 1, std::numeric_limits<int>::max(), -1);
    WireRemoved.Emit(i);
    FPlatform.RepaintCanvas();
}

void TCodingPanel::DeleteDragPanel(int i) {
    TDragPanel& panel = DragPanel(i);
    SetSelectedDragPanelNo(-1);
    for (int port = 0; port < panel.PortCount(); ++port) {
        if (panel.PortConnectorNo(port) != -1) {
            ReleasePort(i, port);
        }
    }
    // A wire that names the panel without a port naming the wire goes too.
    for (int c = ConnectorCount() - 1; c >= 0; --c) {
        if (FConnectors[c]->StartPanelNo() == i || FConnectors[c]->EndPanelNo() == i) {
            DeleteConnector(c);
        }
    }
    ForgetPanel(panel);
    PanelAboutToBeRemoved.Emit(i);
    FDragPanels.erase(FDragPanels.begin() + i);
    Renumber(FDragPanels, i);
    MovePanelNumbers(i + 1, std::numeric_limits<int>::max(), -1);
    PanelRemoved.Emit(i);
    AdjustCanvasSize();
    FPlatform.RepaintCanvas();
}

// An action that still refers to the panel being deleted is dropped.
void TCodingPanel::ForgetPanel(const TDragPanel& panel) {
    if (FDragComponent == &panel) {
        FDragComponent = nullptr;
        EraseRubberBand();
        SetStatus(TCodingPanelStatus::cpsNormal);
    }
    if (FStatus == TCodingPanelStatus::cpsConnecting && FFirstPanelNo == panel.Index()) {
        EraseRubberBand();
        SetStatus(TCodingPanelStatus::cpsNormal);
    }
}

void TCodingPanel::MovePanelNumbers(int from, int to, int delta) {
    const auto moved = [&](std::int32_t n) { return n >= from && n < to ? n + delta : n; };
    FFirstPanelNo = moved(FFirstPanelNo);
    // The wire keeps its route: only the numbers of its panels changed.
    for (const auto& c : FConnectors) {
        const bool routed = c->Routed();
        if (moved(c->StartPanelNo()) != c->StartPanelNo()) {
            c->SetStartPanelNo(moved(c->StartPanelNo()));
        }
        if (moved(c->EndPanelNo()) != c->EndPanelNo()) {
            c->SetEndPanelNo(moved(c->EndPanelNo()));
        }
        c->SetRouted(routed);
    }
}

void TCodingPanel::MoveConnectorNumbers(int from, int to, int delta) {
    if (from >= to) {
        return; // a wire added at the end moves no number: loading stays linear
    }
    for (const auto& panel : FDragPanels) {
        for (int port = 0; port < panel->PortCount(); ++port) {
            const std::int32_t c = panel->PortConnectorNo(port);
            if (c >= from && c < to) {
                panel->SetPortConnectorNo(port, c + delta);
            }
        }
    }
}

TConnectorLineHit TCodingPanel::HitTestConnectorLine(TPoint p) const {
    constexpr std::int32_t margin = 4;
    for (const auto& c : FConnectors) {
        if (!c->Routed()) {
            continue; // not drawn, so not there to grab
        }
        // The first and the last segment belong to the ports and are never grabbed.
        for (int k = 1; k <= c->LineCount() - 2; ++k) {
            const TPoint a = c->Point(k);
            const TPoint b = c->Point(k + 1);
            const bool inX =
                std::min(a.x, b.x) - margin <= p.x && p.x < std::max(a.x, b.x) + margin;
            const bool inY =
                std::min(a.y, b.y) - margin <= p.y && p.y < std::max(a.y, b.y) + margin;
            if (inX && inY) {
                return {true, c->Index(), k};
            }
        }
    }
    return {};
}

void TCodingPanel::RepaintPanelNo(int panelNo) const {
    if (panelNo >= 0 && panelNo < DragPanelCount()) {
        FPlatform.RepaintPanel(*FDragPanels[panelNo]);
    }
}

void TCodingPanel::SetSelection(TCanvasSelection selection) {
    if (!(selection == FSelection)) {
        FSelection = selection;
        SelectionChanged.Emit();
    }
}

void TCodingPanel::SetSelectedConnectorNo(std::int32_t value) {
    TCanvasSelection selection = FSelection;
    selection.ConnectorNo = value;
    const int oldPanel = selection.DragPanelNo;
    if (value != -1) {
        selection.DragPanelNo = -1;
    }
    SetSelection(selection);
    if (value != -1 && oldPanel != -1) {
        RepaintPanelNo(oldPanel);
    }
}

void TCodingPanel::SetSelectedDragPanelNo(std::int32_t value) {
    if (FSelection.DragPanelNo != -1) {
        RepaintPanelNo(FSelection.DragPanelNo);
    }
    TCanvasSelection selection = FSelection;
    const bool dropsWire = value != -1 && selection.ConnectorNo != -1;
    if (dropsWire) {
        selection.ConnectorNo = -1;
        selection.LineNo = -1;
    }
    selection.DragPanelNo = value;
    SetSelection(selection);
    if (dropsWire) {
        FPlatform.RepaintCanvas();
    }
}

void TCodingPanel::SetSelectedLineNo(std::int32_t value) {
    TCanvasSelection selection = FSelection;
    selection.LineNo = value;
    SetSelection(selection);
}

void TCodingPanel::SetStatus(TCodingPanelStatus value) {
    if (value != FStatus) {
        FStatus = value;
        StatusChanged.Emit();
    }
}

void TCodingPanel::SetDragPanelGridPitch(std::int32_t value) {
    FDragPanelGridPitch = std::clamp(value, MinGridPitch, MaxGridPitch);
}

void TCodingPanel::SetConnectorGridPitch(std::int32_t value) {
    FConnectorGridPitch = std::clamp(value, MinGridPitch, MaxGridPitch);
}

void TCodingPanel::SetSize(std::int32_t width, std::int32_t height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width != FWidth || height != FHeight) {
        FWidth = width;
        FHeight = height;
        SizeChanged.Emit();
    }
    ClampScrollPositions();
}

// A minimum above the maximum raises the maximum (unless there is none), and
// one above the present size grows the control.
void TCodingPanel::SetMinWidth(std::int32_t value) {
    if (FMaxWidth != -1 && value > FMaxWidth) {
        FMaxWidth = value;
    }
    if (value > FWidth) {
        SetSize(value, FHeight);
    }
    FMinWidth = value;
}

void TCodingPanel::SetMinHeight(std::int32_t value) {
    if (FMaxHeight != -1 && value > FMaxHeight) {
        FMaxHeight = value;
    }
    if (value > FHeight) {
        SetSize(FWidth, value);
    }
    FMinHeight = value;
}

void TCodingPanel::AdjustCanvasSize() {
    if (!FAutoSize) {
        return;
    }
    std::int32_t minLeft = FWidth;
    std::int32_t minTop = FHeight;
    std::int32_t maxRight = 0;
    std::int32_t maxBottom = 0;
    for (const auto& p : FDragPanels) {
        minLeft = std::min(minLeft, p->Left());
        minTop = std::min(minTop, p->Top());
        maxRight = std::max(maxRight, p->Left() + p->Width());
        maxBottom = std::max(maxBottom, p->Top() + p->Height());
    }
    // Panels left of or above the origin are not moved; the control grows instead.
    if (minLeft < 0) {
        ShowMessage(MsgAutoSizeNegative);
        maxRight -= minLeft;
    }
    if (minTop < 0) {
        ShowMessage(MsgAutoSizeNegative);
        maxBottom -= minTop;
    }
    std::int32_t w = std::max(FWidth, maxRight);
    std::int32_t h = std::max(FHeight, maxBottom);
    if (FMinWidth != -1 && w < FMinWidth) {
        w = FMinWidth;
    }
    if (FMinHeight != -1 && h < FMinHeight) {
        h = FMinHeight;
    }
    if (FMaxWidth != -1 && w > FMaxWidth) {
        w = FMaxWidth;
    }
    if (FMaxHeight != -1 && h > FMaxHeight) {
        h = FMaxHeight;
    }
    SetSize(w, h);
}

// Panels keep client coordinates, as child controls of a scroll box do: a new
// scroll position moves every panel the other way, so its canvas position holds.
void TCodingPanel::SetHorzScrollPosition(std::int32_t value) {
    ScrollTo({value, FVertPosition});
}

void TCodingPanel::SetVertScrollPosition(std::int32_t value) {
    ScrollTo({FHorzPosition, value});
}

void TCodingPanel::ScrollTo(TPoint wanted) {
    const TPoint position{std::clamp(wanted.x, 0, std::max(0, FHorzRange - FWidth)),
                          std::clamp(wanted.y, 0, std::max(0, FVertRange - FHeight))};
    if (position == ScrollPosition()) {
        return;
    }
    ShiftPanels(FHorzPosition - position.x, FVertPosition - position.y);
    FHorzPosition = position.x;
    FVertPosition = position.y;
    ScrollChanged.Emit();
}

void TCodingPanel::ShiftPanels(std::int32_t dx, std::int32_t dy) {
    if (dx == 0 && dy == 0) {
        return;
    }
    for (int i = 0; i < DragPanelCount(); ++i) {
        TDragPanel& panel = DragPanel(i);
        panel.SetBounds(panel.Left() + dx, panel.Top() + dy, panel.Width(), panel.Height());
    }
}

void TCodingPanel::SetHorzScrollRange(std::int32_t value) {
    SetScrollRange(FHorzRange, value);
}

void TCodingPanel::SetVertScrollRange(std::int32_t value) {
    SetScrollRange(FVertRange, value);
}

void TCodingPanel::SetScrollRange(std::int32_t& range, std::int32_t value) {
    value = std::max(value, 0);
    if (value != range) {
        range = value;
        ScrollChanged.Emit();
    }
    ClampScrollPositions();
}

void TCodingPanel::ClampScrollPositions() {
    ScrollTo(ScrollPosition());
}

const TPen& TCodingPanel::PenOf(TConnectorPenKind kind) const {
    switch (kind) {
    case TConnectorPenKind::SelectedConnectorPen:
        return SelectedConnectorPen;
    case TConnectorPenKind::SelectedLinePen:
        return SelectedLinePen;
    case TConnectorPenKind::ConnectorPen:
        break;
    }
    return ConnectorPen;
}

void TCodingPanel::ShowRubberBand(TRubberBandKind kind, TRect rect) {
    FRubberBandKind = kind;
    FRubberBandRect = rect;
    FRubberBandShown = true;
    FPlatform.RepaintCanvas();
    RubberBandChanged.Emit();
}

void TCodingPanel::EraseRubberBand() {
    if (FRubberBandShown) {
        FRubberBandShown = false;
        FPlatform.RepaintCanvas();
        RubberBandChanged.Emit();
    }
}

// Forgets the band without repainting, as a gesture that redraws anyway does.
void TCodingPanel::SetRubberBandShown(bool shown) {
    if (shown != FRubberBandShown) {
        FRubberBandShown = shown;
        RubberBandChanged.Emit();
    }
}

std::vector<TPoint> TCodingPanel::RoutesAt(const TDragPanel& panel) const {
    std::vector<TPoint> points;
    for (int port = 0; port < panel.PortCount(); ++port) {
        const std::int32_t c = panel.PortConnectorNo(port);
        if (c >= 0 && c < ConnectorCount()) {
            for (int i = 0; i < TConnector::MaxPoints; ++i) {
                points.push_back(FConnectors[c]->Point(i));
            }
        }
    }
    return points;
}

void TCodingPanel::ShowMessage(const std::string& text) {
    FPlatform.MessageBox(text, TMsgDlgType::mtCustom, TMsgDlgButtons::mbOK);
}

} // namespace zaro
