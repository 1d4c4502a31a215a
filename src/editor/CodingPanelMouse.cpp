// The editing state machine of the canvas: presses, moves and releases on the
// canvas surface, port clicks reported by the panels, and the panel drag.

#include "CodingPanel.h"

#include "DragPanels.h"
#include "Grid.h"

namespace zaro {

namespace {

const std::string MsgPortClickWhileDraggingPanel = "ProcessOnDragPanelPortClicked:cpsDraggingPanel";
const std::string MsgPortClickWhileDraggingConnector =
    "ProcessOnDragPanelPortClicked:cpsDraggingConnector";

bool IsHorizontal(TPoint a, TPoint b) {
    return a.y == b.y;
}

} // namespace

void TCodingPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    switch (FStatus) {
    case TCodingPanelStatus::cpsNormal:
        PressWhileNormal(shift, x, y);
        break;
    case TCodingPanelStatus::cpsDraggingPanel:
    case TCodingPanelStatus::cpsResizingPanel:
        FStatus = TCodingPanelStatus::cpsNormal;
        FPlatform.Beep();
        break;
    case TCodingPanelStatus::cpsDraggingConnector:
        FinishSegmentMove(ToCanvas(x, y));
        break;
    case TCodingPanelStatus::cpsConnecting:
        EraseRubberBand();
        FStatus = TCodingPanelStatus::cpsNormal;
        break;
    case TCodingPanelStatus::cpsDraggingBackground:
        FPlatform.Beep();
        break;
    }
    FPlatform.FocusCanvas();
    if (OnMouseDown) {
        OnMouseDown(button, shift, x, y);
    }
}

void TCodingPanel::PressWhileNormal(TShiftState shift, int x, int y) {
    const TConnectorLineHit hit = HitTestConnectorLine(ToCanvas(x, y));
    if (hit.Found) {
        if (shift.Contains(TShiftFlag::ssShift) && shift.Contains(TShiftFlag::ssCtrl)) {
            DeleteConnector(hit.ConnectorNo);
            SetSelectedConnectorNo(-1);
        } else {
            SetSelectedConnectorNo(hit.ConnectorNo);
            SetSelectedLineNo(hit.LineNo);
            FStatus = TCodingPanelStatus::cpsDraggingConnector;
        }
        FRubberBandShown = false;
        FPlatform.RepaintCanvas();
        return;
    }
    if (FSelectedConnectorNo != -1) {
        EraseRubberBand();
        SetSelectedConnectorNo(-1);
        SetSelectedLineNo(-1);
        FPlatform.RepaintCanvas();
    } else if (FSelectedDragPanelNo != -1) {
        SetSelectedDragPanelNo(-1);
        FPlatform.RepaintCanvas();
    }
    StartPanning(x, y);
}

void TCodingPanel::StartPanning(int x, int y) {
    FPanMouse = {x, y};
    FPanScroll = ScrollPosition();
    FSavedCursor = FPlatform.ScreenCursor();
    FPlatform.SetScreenCursor(TCursorShape::crSizeAll);
    FStatus = TCodingPanelStatus::cpsDraggingBackground;
}

void TCodingPanel::MouseMove(TShiftState shift, int x, int y) {
    switch (FStatus) {
    case TCodingPanelStatus::cpsDraggingConnector:
        TrackSegment(ToCanvas(x, y));
        break;
    case TCodingPanelStatus::cpsConnecting:
        TrackConnecting(ToCanvas(x, y));
        break;
    case TCodingPanelStatus::cpsDraggingBackground:
        PanTo(x, y);
        break;
    default:
        break;
    }
    if (OnMouseMove) {
        OnMouseMove(shift, x, y);
    }
}

void TCodingPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    switch (FStatus) {
    case TCodingPanelStatus::cpsDraggingConnector:
        FinishSegmentMove(ToCanvas(x, y));
        break;
    case TCodingPanelStatus::cpsDraggingBackground:
        PanTo(x, y);
        FPlatform.SetScreenCursor(FSavedCursor);
        FStatus = TCodingPanelStatus::cpsNormal;
        break;
    default:
        break;
    }
    if (OnMouseUp) {
        OnMouseUp(button, shift, x, y);
    }
}

void TCodingPanel::Click() {
    if (OnClick) {
        OnClick();
    }
}

void TCodingPanel::DblClick() {
    if (OnDblClick) {
        OnDblClick();
    }
}

void TCodingPanel::KeyDown(int key, TShiftState shift) {
    if (OnKeyDown) {
        OnKeyDown(key, shift);
    }
}

TConnector* TCodingPanel::SelectedSegmentOwner() const {
    if (FSelectedConnectorNo < 0 || FSelectedConnectorNo >= ConnectorCount()) {
        return nullptr;
    }
    TConnector* c = FConnectors[FSelectedConnectorNo].get();
    const bool lineExists = FSelectedLineNo >= 0 && FSelectedLineNo < c->LineCount();
    return lineExists ? c : nullptr;
}

void TCodingPanel::TrackSegment(TPoint p) {
    const TConnector* c = SelectedSegmentOwner();
    if (c == nullptr) {
        FStatus = TCodingPanelStatus::cpsNormal;
        return;
    }
    EraseRubberBand();
    const TPoint a = c->Point(FSelectedLineNo);
    const TPoint b = c->Point(FSelectedLineNo + 1);
    const TRect line = IsHorizontal(a, b) ? TRect{a.x, p.y, b.x, p.y} : TRect{p.x, a.y, p.x, b.y};
    ShowRubberBand(TRubberBandKind::rbkLine, line);
}

// The segment moves perpendicular to itself onto the grid, truncating; its
// neighbours stretch with it.
void TCodingPanel::FinishSegmentMove(TPoint p) {
    EraseRubberBand();
    if (TConnector* c = SelectedSegmentOwner()) {
        const int k = FSelectedLineNo;
        const std::int32_t g = FConnectorGridPitch;
        if (IsHorizontal(c->Point(k), c->Point(k + 1))) {
            c->SetPointY(k, TruncToGrid(p.y, g));
            c->SetPointY(k + 1, TruncToGrid(p.y, g));
        } else {
            c->SetPointX(k, TruncToGrid(p.x, g));
            c->SetPointX(k + 1, TruncToGrid(p.x, g));
        }
    }
    SetSelectedConnectorNo(-1);
    SetSelectedLineNo(-1);
    FStatus = TCodingPanelStatus::cpsNormal;
    FPlatform.RepaintCanvas();
}

void TCodingPanel::TrackConnecting(TPoint p) {
    EraseRubberBand();
    const TDragPanel& first = DragPanel(FFirstPanelNo);
    const TPoint from = first.PortRect(FFirstPortNo).Center() + TPoint{first.Left(), first.Top()} +
                        ScrollPosition();
    ShowRubberBand(TRubberBandKind::rbkLine, {from.x, from.y, p.x, p.y});
}

// The scroll bars clamp the new positions to their ranges.
void TCodingPanel::PanTo(int x, int y) {
    SetHorzScrollPosition(FPanScroll.x - x + FPanMouse.x);
    SetVertScrollPosition(FPanScroll.y - y + FPanMouse.y);
}

void TCodingPanel::ProcessOnDragPanelPortClicked(TDragPanel& panel, int portNo) {
    if (!Owns(panel)) {
        return;
    }
    const int index = panel.Index();
    CheckPort(index, portNo);
    switch (FStatus) {
    case TCodingPanelStatus::cpsNormal:
        FFirstPanelNo = index;
        FFirstPortNo = portNo;
        FStatus = TCodingPanelStatus::cpsConnecting;
        FRubberBandShown = false;
        break;
    case TCodingPanelStatus::cpsConnecting:
        EraseRubberBand();
        FStatus = TCodingPanelStatus::cpsNormal;
        if (index != FFirstPanelNo || portNo != FFirstPortNo) {
            ConnectPorts(FFirstPanelNo, FFirstPortNo, index, portNo);
        }
        break;
    case TCodingPanelStatus::cpsDraggingPanel:
        EraseRubberBand();
        if (FDragComponent != nullptr) {
            FDragComponent->Show();
            FStatus = TCodingPanelStatus::cpsNormal;
        }
        ShowMessage(MsgPortClickWhileDraggingPanel);
        break;
    case TCodingPanelStatus::cpsDraggingConnector:
        ShowMessage(MsgPortClickWhileDraggingConnector);
        break;
    case TCodingPanelStatus::cpsResizingPanel:
    case TCodingPanelStatus::cpsDraggingBackground:
        break;
    }
}

bool TCodingPanel::DragOver(const TDragPanel* source, bool canvasUnderMouse, int x, int y) {
    const bool moving = FStatus == TCodingPanelStatus::cpsDraggingPanel;
    const bool resizing = FStatus == TCodingPanelStatus::cpsResizingPanel;
    if (source == nullptr || !canvasUnderMouse || !Owns(*source) || !(moving || resizing)) {
        return false;
    }
    EraseRubberBand();
    TRect outline;
    if (moving) {
        outline = TRect::FromBounds(x - source->GrabX() + FHorzPosition,
                                    y - source->GrabY() + FVertPosition, source->Width(),
                                    source->Height());
    } else {
        const std::int32_t w = std::max(x - source->Left(), source->MinWidth());
        const std::int32_t h = std::max(y - source->Top(), source->MinHeight());
        outline =
            TRect::FromBounds(source->Left() + FHorzPosition, source->Top() + FVertPosition, w, h);
    }
    ShowRubberBand(TRubberBandKind::rbkRectangle, outline);
    return true;
}

void TCodingPanel::EndPanelDrag(TDragPanel& panel, TDropTarget target, int x, int y) {
    if (!Owns(panel)) {
        return;
    }
    EraseRubberBand();
    if (target == TDropTarget::dtCanvas) {
        if (FStatus == TCodingPanelStatus::cpsResizingPanel) {
            ResizeDroppedPanel(panel, x, y);
        } else if (FStatus == TCodingPanelStatus::cpsDraggingPanel) {
            MoveDroppedPanel(panel, x, y);
        }
    }
    panel.Show();
    FStatus = TCodingPanelStatus::cpsNormal;
    FDragComponent = nullptr;
    if (target == TDropTarget::dtCanvas) {
        FollowMovedPanel(panel);
    }
}

void TCodingPanel::ResizeDroppedPanel(TDragPanel& panel, int x, int y) {
    const std::int32_t g = FDragPanelGridPitch;
    std::int32_t w = std::max(RoundToGrid(x - panel.Left(), g), panel.MinWidth());
    std::int32_t h = std::max(RoundToGrid(y - panel.Top(), g), panel.MinHeight());
    if (panel.MaxWidth() > 0 && w > panel.MaxWidth()) {
        w = panel.MaxWidth();
    }
    if (panel.MaxHeight() > 0 && h > panel.MaxHeight()) {
        h = panel.MaxHeight();
    }
    panel.SetBounds(panel.Left(), panel.Top(), w, h);
}

// Grid first, then the scroll range: the panel stays wholly inside the canvas
// on the right and bottom, and never left of or above its origin.
void TCodingPanel::MoveDroppedPanel(TDragPanel& panel, int x, int y) {
    const std::int32_t g = FDragPanelGridPitch;
    std::int32_t left = RoundToGrid(x + FHorzPosition - panel.GrabX(), g);
    std::int32_t top = RoundToGrid(y + FVertPosition - panel.GrabY(), g);
    left = std::max(std::min(left, FHorzRange - panel.Width()), 0);
    top = std::max(std::min(top, FVertRange - panel.Height()), 0);
    panel.SetBounds(left - FHorzPosition, top - FVertPosition, panel.Width(), panel.Height());
}

void TCodingPanel::FollowMovedPanel(const TDragPanel& panel) {
    for (int port = 0; port < panel.PortCount(); ++port) {
        const std::int32_t c = panel.PortConnectorNo(port);
        if (c >= 0 && c < ConnectorCount()) {
            FConnectors[c]->FollowPanel(panel.Index());
        }
    }
    AdjustCanvasSize();
}

} // namespace zaro
