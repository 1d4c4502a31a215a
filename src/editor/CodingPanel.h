#pragma once
// The schematic canvas: the panels and wires in dense numbered lists, the
// selection, scrolling, and the editing state machine that turns mouse
// gestures into moves, resizes, connections, segment moves, deletions and
// panning. It renders nothing itself; the view paints from its state and
// follows it through the notifications below.

#include "CanvasEdit.h"
#include "Connector.h"
#include "DrawingTools.h"
#include "Geometry.h"
#include "MouseInput.h"
#include "Platform.h"
#include "Signal.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zaro {

class TDragPanel;

enum class TCodingPanelStatus {
    cpsNormal,
    cpsDraggingPanel,
    cpsResizingPanel,
    cpsDraggingConnector,
    cpsConnecting,
    cpsDraggingBackground
};

// What a rubber band currently shows: an outline rectangle or a straight line.
enum class TRubberBandKind { rbkRectangle, rbkLine };

// Where a panel drag ended: on the canvas, or anywhere else (also a cancel).
enum class TDropTarget { dtCanvas, dtElsewhere };

// Result of HitTestConnectorLine; both numbers are -1 when nothing is hit.
struct TConnectorLineHit {
    bool Found = false;
    std::int32_t ConnectorNo = -1;
    std::int32_t LineNo = -1;
};

// The selected panel, or the selected wire and its segment; -1 for none.
struct TCanvasSelection {
    std::int32_t DragPanelNo = -1;
    std::int32_t ConnectorNo = -1;
    std::int32_t LineNo = -1;
    bool operator==(const TCanvasSelection&) const = default;
};

// Shift and Ctrl held: a press on a wire deletes it.
constexpr bool IsWireDeletion(TShiftState shift) {
    return shift.Contains(TShiftFlag::ssShift) && shift.Contains(TShiftFlag::ssCtrl);
}

using TCanvasMouseEvent = TSignal<TMouseButton, TShiftState, int /*x*/, int /*y*/>;
using TCanvasMouseMoveEvent = TSignal<TShiftState, int /*x*/, int /*y*/>;

class TCodingPanel {
public:
    static constexpr std::int32_t MinGridPitch = 1;
    static constexpr std::int32_t MaxGridPitch = 100;

    explicit TCodingPanel(TPlatform& platform);
    ~TCodingPanel();
    TCodingPanel(const TCodingPanel&) = delete;
    TCodingPanel& operator=(const TCodingPanel&) = delete;

    TPlatform& Platform() const { return FPlatform; }

    // --- Lists. The canvas owns its panels and its connectors; a panel's
    // Index and a connector's Index always equal their list position.
    int DragPanelCount() const { return static_cast<int>(FDragPanels.size()); }
    TDragPanel& DragPanel(int i) const; // range error outside the list
    int ConnectorCount() const { return static_cast<int>(FConnectors.size()); }
    TConnector& Connector(int i) const; // range error outside the list

    // Takes the panel over, gives it the next number and this canvas as parent.
    TDragPanel& AddDragPanel(std::unique_ptr<TDragPanel> panel);
    TConnector& NewConnector();
    // The same at position i (0..count): later elements and every reference
    // to them move up by one, as a deletion at i would move them down; the
    // selection follows its element. The new panel's ports and the new wire
    // name nothing yet.
    TDragPanel& InsertDragPanel(int i, std::unique_ptr<TDragPanel> panel);
    TConnector& InsertConnector(int i);
    // Joins two ports with a new routed wire, first deleting the wires the
    // two ports had. Numbers are checked before anything changes.
    void ConnectPorts(int panel1, int port1, int panel2, int port2);
    void DeleteConnector(int i);
    void DeleteDragPanel(int i);
    // First inner segment of a routed wire within 4 pixels of the canvas point.
    TConnectorLineHit HitTestConnectorLine(TPoint canvasPoint) const;

    // --- Selection: one panel, or one wire and one of its segments.
    std::int32_t SelectedDragPanelNo() const { return FSelection.DragPanelNo; }
    void SetSelectedDragPanelNo(std::int32_t value);
    std::int32_t SelectedConnectorNo() const { return FSelection.ConnectorNo; }
    void SetSelectedConnectorNo(std::int32_t value);
    std::int32_t SelectedLineNo() const { return FSelection.LineNo; }
    void SetSelectedLineNo(std::int32_t value);
    const TCanvasSelection& Selection() const { return FSelection; }

    // --- Editing state, also read and written by the panels.
    TCodingPanelStatus Status() const { return FStatus; }
    void SetStatus(TCodingPanelStatus value);
    TDragPanel* DragComponent() const { return FDragComponent; }
    void SetDragComponent(TDragPanel* panel) { FDragComponent = panel; }
    std::int32_t FirstPanelNo() const { return FFirstPanelNo; }
    std::int32_t FirstPortNo() const { return FFirstPortNo; }

    // --- Grids, clamped to 1..100.
    std::int32_t DragPanelGridPitch() const { return FDragPanelGridPitch; }
    void SetDragPanelGridPitch(std::int32_t value);
    std::int32_t ConnectorGridPitch() const { return FConnectorGridPitch; }
    void SetConnectorGridPitch(std::int32_t value);

    // --- Size of the control and its limits for automatic sizing (-1 = none).
    std::int32_t Width() const { return FWidth; }
    std::int32_t Height() const { return FHeight; }
    void SetSize(std::int32_t width, std::int32_t height);
    std::int32_t MinWidth() const { return FMinWidth; }
    void SetMinWidth(std::int32_t value);
    std::int32_t MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(std::int32_t value) { FMaxWidth = value; }
    std::int32_t MinHeight() const { return FMinHeight; }
    void SetMinHeight(std::int32_t value);
    std::int32_t MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(std::int32_t value) { FMaxHeight = value; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value) { FAutoSize = value; }
    // With AutoSize, grows the control to hold every panel, then applies the limits.
    void AdjustCanvasSize();

    // --- Scrolling. Positions stay within 0..max(0, range - size).
    std::int32_t HorzScrollPosition() const { return FHorzPosition; }
    void SetHorzScrollPosition(std::int32_t value);
    std::int32_t VertScrollPosition() const { return FVertPosition; }
    void SetVertScrollPosition(std::int32_t value);
    TPoint ScrollPosition() const { return {FHorzPosition, FVertPosition}; }
    std::int32_t HorzScrollRange() const { return FHorzRange; }
    void SetHorzScrollRange(std::int32_t value);
    std::int32_t VertScrollRange() const { return FVertRange; }
    void SetVertScrollRange(std::int32_t value);

    // --- Drawing tools and images the view and the panels paint with.
    TPen ConnectorPen, SelectedConnectorPen, SelectedLinePen;
    TPen DragPanelPen, SelectedDragPanelPen, RubberBandPen;
    TBrush DragPanelPortBrush;
    TFont DragPanelPortFont;
    const TPen& PenOf(TConnectorPenKind kind) const;
    bool ShowDragPanelPortCaptions() const { return FShowDragPanelPortCaptions; }
    void SetShowDragPanelPortCaptions(bool value) { FShowDragPanelPortCaptions = value; }
    const TImageList* ImageList() const { return FImageList; }
    void SetImageList(const TImageList* list) { FImageList = list; }
    const TImageList* Images() const { return FImages; }
    void SetImages(const TImageList* list) { FImages = list; }

    // --- Rubber band: shown or not, and what, in canvas coordinates. For a
    // line the rectangle holds (x1, y1, x2, y2).
    bool RubberBandShown() const { return FRubberBandShown; }
    TRect RubberBandRect() const { return FRubberBandRect; }
    TRubberBandKind RubberBandKind() const { return FRubberBandKind; }

    // --- Edits locked: while an analysis runs (from BeginBusy to UpdateStatus)
    // the canvas and its panels refuse, with a beep, every input that would
    // change the model; scrolling, clicks and selection with the right button
    // still work. A gesture under way when the lock comes is cancelled when it
    // would have changed something.
    bool EditsLocked() const { return FEditsLocked; }
    void SetEditsLocked(bool locked) { FEditsLocked = locked; }

    // --- Mouse on the canvas surface, in client coordinates.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseMove(TShiftState shift, int x, int y);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // A panel reports a left press on one of its ports.
    void ProcessOnDragPanelPortClicked(TDragPanel& panel, int portNo);
    // A dragged panel is over the canvas at client point (x, y); true accepts.
    bool DragOver(const TDragPanel* source, bool canvasUnderMouse, int x, int y);
    // The drag of a panel ended at (x, y) in the target's client coordinates.
    void EndPanelDrag(TDragPanel& panel, TDropTarget target, int x, int y);

    // Clicks and keys the view reports for the canvas; they only raise the
    // events. Keys are refused with a beep while edits are locked.
    void Click();
    void DblClick();
    void KeyDown(int key, TShiftState shift);

    // --- Notifications. Numbers are list positions when the event is raised;
    // listeners read everything else from the canvas.
    // Panel i has been added and numbered.
    TSignal<int> PanelInserted;
    // Panel i is about to go, still under its number; its wires are gone already.
    TSignal<int> PanelAboutToBeRemoved;
    // Panel i has gone; the later panels have moved down by one.
    TSignal<int> PanelRemoved;
    // Wire i has been added (its route may follow in a WireRerouted).
    TSignal<int> WireAdded;
    // Wire i has gone; the later wires have moved down by one.
    TSignal<int> WireRemoved;
    // The route or the Routed flag of wire i changed.
    TSignal<int> WireRerouted;
    TSignal<> SelectionChanged;
    TSignal<> StatusChanged;
    // Width or Height.
    TSignal<> SizeChanged;
    // A scroll position or range; the panels have moved already.
    TSignal<> ScrollChanged;
    // The rubber band was shown, moved or hidden.
    TSignal<> RubberBandChanged;
    // Just before a gesture changes the model; EditCommitted follows when it
    // changed something.
    TSignal<TEditSubject> EditStarting;
    // One per gesture that changed the model, when it is complete.
    TSignal<TCanvasEdit> EditCommitted;

    // Raised after the canvas has handled the gesture; a press refused while
    // edits are locked raises nothing.
    TCanvasMouseEvent OnMouseDown;
    TCanvasMouseMoveEvent OnMouseMove;
    TCanvasMouseEvent OnMouseUp;
    TSignal<> OnClick;
    TSignal<> OnDblClick;
    TSignal<int /*key*/, TShiftState> OnKeyDown;

private:
    TPoint ToCanvas(int x, int y) const { return {x + FHorzPosition, y + FVertPosition}; }
    bool Owns(const TDragPanel& panel) const;
    void CheckPort(int panelNo, int portNo) const;
    void ReleasePort(int panelNo, int portNo);
    void ForgetPanel(const TDragPanel& panel);
    // Every reference n with from <= n < to becomes n + delta.
    void MovePanelNumbers(int from, int to, int delta);
    void MoveConnectorNumbers(int from, int to, int delta);
    // The selected element's number moves up by one when from <= it < to.
    void MoveSelectionUp(std::int32_t TCanvasSelection::*number, int from, int to);
    void RepaintPanelNo(int panelNo) const;
    void ClampScrollPositions();
    // The scroll positions clamped to 0..max(0, range - size); the panels move the other way.
    void ScrollTo(TPoint position);
    void SetScrollRange(std::int32_t& range, std::int32_t value);
    void ShiftPanels(std::int32_t dx, std::int32_t dy);
    void ShowRubberBand(TRubberBandKind kind, TRect rect);
    void EraseRubberBand();
    void SetRubberBandShown(bool shown);
    void ShowMessage(const std::string& text);
    void SetSelection(TCanvasSelection selection);
    std::vector<TPoint> RoutesAt(const TDragPanel& panel) const;

    bool PressRefused(TShiftState shift, int x, int y);
    void PressWhileNormal(TShiftState shift, int x, int y);
    void StartPanning(int x, int y);
    void PanTo(int x, int y);
    TConnector* SelectedSegmentOwner() const;
    void TrackSegment(TPoint canvasPoint);
    void FinishSegmentMove(TPoint canvasPoint);
    void CancelSegmentMove();
    void TrackConnecting(TPoint canvasPoint);
    void ResizeDroppedPanel(TDragPanel& panel, int x, int y);
    void MoveDroppedPanel(TDragPanel& panel, int x, int y);
    void FollowMovedPanel(const TDragPanel& panel);

    TPlatform& FPlatform;
    std::vector<std::unique_ptr<TDragPanel>> FDragPanels;
    std::vector<std::unique_ptr<TConnector>> FConnectors;

    TDragPanel* FDragComponent = nullptr;
    TCodingPanelStatus FStatus = TCodingPanelStatus::cpsNormal;
    std::int32_t FFirstPanelNo = -1;
    std::int32_t FFirstPortNo = -1;
    TCanvasSelection FSelection;
    bool FEditsLocked = false;
    std::int32_t FDragPanelGridPitch = 8;
    std::int32_t FConnectorGridPitch = 8;

    bool FRubberBandShown = false;
    TRect FRubberBandRect;
    TRubberBandKind FRubberBandKind = TRubberBandKind::rbkRectangle;

    // A new canvas is 320 x 240 until the view gives it its real size.
    std::int32_t FWidth = 320;
    std::int32_t FHeight = 240;
    std::int32_t FMinWidth = -1;
    std::int32_t FMaxWidth = -1;
    std::int32_t FMinHeight = -1;
    std::int32_t FMaxHeight = -1;
    bool FAutoSize = false;

    std::int32_t FHorzRange = 640;
    std::int32_t FVertRange = 480;
    std::int32_t FHorzPosition = 0;
    std::int32_t FVertPosition = 0;

    // Background drag: mouse and scroll positions at the press, and the cursor to restore.
    TPoint FPanMouse;
    TPoint FPanScroll;
    TCursorShape FSavedCursor = TCursorShape::crDefault;

    bool FShowDragPanelPortCaptions = false;
    const TImageList* FImageList = nullptr;
    const TImageList* FImages = nullptr;
};

} // namespace zaro
