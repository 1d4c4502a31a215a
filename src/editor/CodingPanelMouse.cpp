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
    if (PressRefused(shift, x, y)) {
        FPlatform.Beep();
        FPlatform.FocusCanvas();
        return;
    }
    switch (FStatus) {
    case TCodingPanelStatus::cpsNormal:
        PressWhileNormal(shift, x, y);
        break;
    case TCodingPanelStatus::cpsDraggingPanel:
    case TCodingPanelStatus::cpsResizingPanel:
        SetStatus(TCodingPanelStatus::cpsNormal);
        FPlatform.Beep();
        break;
    case TCodingPanelStatus::cpsDraggingConnector:
        FinishSegmentMove(ToCanvas(x, y));
        break;
    case TCodingPanelStatus::cpsConnecting:
        EraseRubberBand();
        SetStatus(TCodingPanelStatus::cpsNormal);
        break;
    case TCodingPanelStatus::cpsDraggingBackground:
        FPlatform.Beep();
        break;
    }
    FPlatform.FocusCanvas();
    OnMouseDown.Emit(button, shift, x, y);
}

// While edits are locked a press on a wire and the wire-deletion gesture are
// refused, and one that would end a segment move cancels it instead.
bool TCodingPanel::PressRefused(TShiftState shift, int x, int y) {
    if (!FEditsLocked) {
        return false;
    }
    if (FStatus == TCodingPanelStatus::cpsDraggingConnector) {
        CancelSegmentMove();
        return true;
    }
    return FStatus == TCodingPanelStatus::cpsNormal &&
           (IsWireDeletion(shift) || HitTestConnectorLine(ToCanvas(x, y)).Found);
}

void TCodingPanel::PressWhileNormal(TShiftState shift, int x, int y) {
    const TConnectorLineHit hit = HitTestConnectorLine(ToCanvas(x, y));
    if (hit.Found) {
        if (IsWireDeletion(shift)) {
            EditStarting.Emit({});
            DeleteConnector(hit.ConnectorNo);
            SetSelectedConnectorNo(-1);
            EditCommitted.Emit(TCanvasEdit::WireDeleted);
        } else {
            SetSelectedConnectorNo(hit.ConnectorNo);
            SetSelectedLineNo(hit.LineNo);
            SetStatus(TCodingPanelStatus::cpsDraggingConnector);
        }
        SetRubberBandShown(false);
        FPlatform.RepaintCanvas();
        return;
    }
    if (FSelection.ConnectorNo != -1) {
        EraseRubberBand();
        SetSelectedConnectorNo(-1);
        SetSelectedLineNo(-1);
        FPlatform.RepaintCanvas();
    } else if (FSelection.DragPanelNo != -1) {
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
    SetStatus(TCodingPanelStatus::cpsDraggingBackground);
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
    OnMouseMove.Emit(shift, x, y);
}

void TCodingPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    switch (FStatus) {
    case TCodingPanelStatus::cpsDraggingConnector:
        if (FEditsLocked) {
            CancelSegmentMove();
            FPlatform.Beep();
        } else {
            FinishSegmentMove(ToCanvas(x, y));
        }
        break;
    case TCodingPanelStatus::cpsDraggingBackground:
        PanTo(x, y);
        FPlatform.SetScreenCursor(FSavedCursor);
        SetStatus(TCodingPanelStatus::cpsNormal);
        break;
    default:
        break;
    }
    OnMouseUp.Emit(button, shift, x, y);
}

void TCodingPanel::Click() {
    OnClick.Emit();
}

void TCodingPanel::DblClick() {
    OnDblClick.Emit();
}

void TCodingPanel::KeyDown(int key, TShiftState shift) {
    if (FEditsLocked) {
        FPlatform.Beep();
        return;
    }
    OnKeyDown.Emit(key, shift);
}

TConnector* TCodingPanel::SelectedSegmentOwner() const {
    const std::int32_t no = FSelection.ConnectorNo;
    if (no < 0 || no >= ConnectorCount()) {
        return nullptr;
    }
    TConnector* c = FConnectors[no].get();
    const bool lineExists = FSelection.LineNo >= 0 && FSelection.LineNo < c->LineCount();
    return lineExists ? c : nullptr;
}

void TCodingPanel::TrackSegment(TPoint p) {
    const TConnector* c = SelectedSegmentOwner();
    if (c == nullptr) {
        SetStatus(TCodingPanelStatus::cpsNormal);
        return;
    }
    EraseRubberBand();
    const TPoint a = c->Point(FSelection.LineNo);
    const TPoint b = c->Point(FSelection.LineNo + 1);
    const TRect line = IsHorizontal(a, b) ? TRect{a.x, p.y, b.x, p.y} : TRect{p.x, a.y, p.x, b.y};
    ShowRubberBand(TRubberBandKind::rbkLine, line);
}

// The segment moves perpendicular to itself onto the grid, truncating; its
// neighbours stretch with it.
void TCodingPanel::FinishSegmentMove(TPoint p) {
    EraseRubberBand();
    if (TConnector* c = SelectedSegmentOwner()) {
        EditStarting.Emit({});
        const int k = FSelection.LineNo;
        const std::int32_t g = FConnectorGridPitch;
        const TPoint a = c->Point(k);
        const TPoint b = c->Point(k + 1);
        if (IsHorizontal(a, b)) {
            c->SetPointY(k, TruncToGrid(p.y, g));
            c->SetPointY(k + 1, TruncToGrid(p.y, g));
        } else {
            c->SetPointX(k, TruncToGrid(p.x, g));
            c->SetPointX(k + 1, TruncToGrid(p.x, g));
        }
        if (!(c->Point(k) == a && c->Point(k + 1) == b)) {
            WireRerouted.Emit(c->Index());
            EditCommitted.Emit(TCanvasEdit::SegmentMoved);
        }
    }
    CancelSegmentMove();
}

// Leaves the segment where it was.
void TCodingPanel::CancelSegmentMove() {
    EraseRubberBand();
    SetSelectedConnectorNo(-1);
    SetSelectedLineNo(-1);
    SetStatus(TCodingPanelStatus::cpsNormal);
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
    ScrollTo(FPanScroll - TPoint{x, y} + FPanMouse);
}

void TCodingPanel::ProcessOnDragPanelPortClicked(TDragPanel& panel, int portNo) {
    if (!Owns(panel)) {
        return;
    }
    if (FEditsLocked) {
        FPlatform.Beep();
        return;
    }
    const int index = panel.Index();
    CheckPort(index, portNo);
    switch (FStatus) {
    case TCodingPanelStatus::cpsNormal:
        FFirstPanelNo = index;
        FFirstPortNo = portNo;
        SetStatus(TCodingPanelStatus::cpsConnecting);
        SetRubberBandShown(false);
        break;
    case TCodingPanelStatus::cpsConnecting:
        EraseRubberBand();
        SetStatus(TCodingPanelStatus::cpsNormal);
        if (index != FFirstPanelNo || portNo != FFirstPortNo) {
            EditStarting.Emit({});
            ConnectPorts(FFirstPanelNo, FFirstPortNo, index, portNo);
            EditCommitted.Emit(TCanvasEdit::PortsConnected);
        }
        break;
    case TCodingPanelStatus::cpsDraggingPanel:
        EraseRubberBand();
        if (FDragComponent != nullptr) {
            FDragComponent->Show();
            SetStatus(TCodingPanelStatus::cpsNormal);
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

// A drop while edits are locked is taken as a cancel.
void TCodingPanel::EndPanelDrag(TDragPanel& panel, TDropTarget target, int x, int y) {
    if (!Owns(panel)) {
        return;
    }
    if (FEditsLocked) {
        FPlatform.Beep();
        target = TDropTarget::dtElsewhere;
    }
    EraseRubberBand();
    const TCodingPanelStatus gesture = FStatus;
    const TRect bounds = panel.BoundsRect();
    const std::vector<TPoint> routes = RoutesAt(panel);
    if (target == TDropTarget::dtCanvas) {
        EditStarting.Emit({&panel});
        if (gesture == TCodingPanelStatus::cpsResizingPanel) {
            ResizeDroppedPanel(panel, x, y);
        } else if (gesture == TCodingPanelStatus::cpsDraggingPanel) {
            MoveDroppedPanel(panel, x, y);
        }
    }
    panel.Show();
    SetStatus(TCodingPanelStatus::cpsNormal);
    FDragComponent = nullptr;
    if (target == TDropTarget::dtCanvas) {
        FollowMovedPanel(panel);
        if (!(panel.BoundsRect() == bounds) || RoutesAt(panel) != routes) {
            EditCommitted.Emit(gesture == TCodingPanelStatus::cpsResizingPanel
                                   ? TCanvasEdit::PanelResized
                                   : TCanvasEdit::PanelMoved);
        }
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
