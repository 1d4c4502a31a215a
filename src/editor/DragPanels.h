#pragma once
// The on-screen body of a circuit device: a rectangular panel on the canvas
// with a frame, a symbol image and ports on its sides. It turns presses into
// drag, resize, iconize and port-click actions of its canvas, describes what
// the view has to paint, and writes and reads its own versioned record.

#include "CanvasEdit.h"
#include "Color.h"
#include "EditBox.h"
#include "Geometry.h"
#include "MouseInput.h"
#include "Signal.h"
#include "ZaroStream.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zaro {

class TCodingPanel;
class TDragPanel;

enum class TDragPanelResizeStyle : std::uint8_t { dprsFixed, dprsLine };

// What a panel's Changed event reports; the view repaints or re-lays out that part.
enum class TPanelChange : std::uint8_t {
    Bounds,     // Left, Top, Width or Height
    Visibility, // hidden while dragged
    Caption,
    Color,
    Image,    // image index, its centring, the iconize and resize glyphs
    Ports,    // count, directions, rectangles or captions (not the wire numbers)
    Iconized, // also moves the wires
    Content,  // a device's own content, such as a label's note
};

// (Sender, Button, Shift, X, Y, Index of the panel, PortNo).
using TDragPanelPortClicked = TSignal<TDragPanel& /*sender*/, TMouseButton, TShiftState, int /*x*/,
                                      int /*y*/, int /*index*/, int /*portNo*/>;
using TDragPanelNotify = TSignal<TDragPanel& /*sender*/>;
using TDragPanelMouseEvent =
    TSignal<TDragPanel& /*sender*/, TMouseButton, TShiftState, int /*x*/, int /*y*/>;
using TDragPanelMouseMoveEvent = TSignal<TDragPanel& /*sender*/, TShiftState, int /*x*/, int /*y*/>;

// One port: the side it faces, the connector attached to it (-1 = none), its
// area in panel coordinates and the caption drawn in it.
struct TDragPanelPort {
    TPortDirection Direction = TPortDirection::pdUp;
    std::int32_t ConnectorNo = -1;
    TRect Rect{0, 0, 1, 1};
    std::string Caption;
    bool operator==(const TDragPanelPort&) const = default;
};

struct TDragPanelPortPicture {
    TRect Rect;               // filled with DragPanelPortBrush
    std::string Caption;      // drawn with DragPanelPortFont, clipped to Rect,
    TPoint CaptionOrigin;     // its top-left corner here,
    bool ShowCaption = false; // when the canvas shows port captions
};

struct TDragPanelGlyph {
    int GlyphIndex = 0;
    TPoint Position;
};

// Everything the view paints for a panel, in painting order, panel coordinates.
struct TDragPanelPicture {
    std::vector<TPoint> Frame; // closed polyline
    bool Selected = false;     // frame with SelectedDragPanelPen instead of DragPanelPen
    std::vector<TDragPanelPortPicture> Ports;
    int ImageIndex = -1;
    std::optional<TPoint> ImagePosition; // symbol image, when there is one to draw
    std::vector<TDragPanelGlyph> Glyphs; // iconize box and resize mark
};

class TDragPanel {
public:
    TDragPanel();
    TDragPanel(const TDragPanel&) = delete;
    TDragPanel& operator=(const TDragPanel&) = delete;
    virtual ~TDragPanel();

    // The class name written as "object <ClassName>" in the component text.
    virtual std::string ClassName() const { return "TDragPanel"; }

    // The canvas the panel sits on (not owned); set by the canvas when added.
    TCodingPanel* Parent() const { return FParent; }
    void SetParent(TCodingPanel* parent) { FParent = parent; }

    // Position in the canvas's client coordinates and size.
    int Left() const { return FBounds.Left; }
    int Top() const { return FBounds.Top; }
    int Width() const { return FBounds.Width(); }
    int Height() const { return FBounds.Height(); }
    const TRect& BoundsRect() const { return FBounds; }
    // A negative width or height is taken as 0. Calls Resized when the size changed.
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

    // Hidden while the panel is dragged or resized; changes request a repaint.
    bool Visible() const { return FVisible; }
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    void SetVisible(bool visible);

    // Caption, colour and image setters also request a repaint.
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& caption);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);

    // Ports. Index outside 0..PortCount-1 raises ERangeError.
    int PortCount() const { return static_cast<int>(FPorts.size()); }
    // Keeps existing ports; added ones face pdUp at (0, 0, 1, 1) with no
    // connector and no caption. A negative count gives 0.
    void SetPortCount(int count);
    TPortDirection PortDirection(int port) const { return Port(port).Direction; }
    void SetPortDirection(int port, TPortDirection direction);
    // The wire at the port is the canvas's bookkeeping: setting it announces nothing.
    std::int32_t PortConnectorNo(int port) const { return Port(port).ConnectorNo; }
    void SetPortConnectorNo(int port, std::int32_t connectorNo) {
        Port(port).ConnectorNo = connectorNo;
    }
    const TRect& PortRect(int port) const { return Port(port).Rect; }
    void SetPortRect(int port, const TRect& rect);
    const std::string& PortCaption(int port) const { return Port(port).Caption; }
    void SetPortCaption(int port, const std::string& caption);
    // The first port whose rectangle holds the point, or -1.
    int PortAt(int x, int y) const;

    // The other setters store the value; those that change the picture announce it.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int imageIndex);
    int Index() const { return FIndex; }
    void SetIndex(int index) { FIndex = index; }
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int value) { FMinWidth = value; }
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int value) { FMinHeight = value; }
    // A value <= 0 means no limit.
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int value) { FMaxWidth = value; }
    int MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int value) { FMaxHeight = value; }
    TDragPanelResizeStyle ResizeStyle() const { return FResizeStyle; }
    void SetResizeStyle(TDragPanelResizeStyle style) { StoreSymbolProperty(FResizeStyle, style); }
    bool ImageHorzCenter() const { return FImageHorzCenter; }
    void SetImageHorzCenter(bool value) { StoreSymbolProperty(FImageHorzCenter, value); }
    bool ImageVertCenter() const { return FImageVertCenter; }
    void SetImageVertCenter(bool value) { StoreSymbolProperty(FImageVertCenter, value); }
    bool CanIconize() const { return FCanIconize; }
    void SetCanIconize(bool value) { StoreSymbolProperty(FCanIconize, value); }
    bool Iconized() const { return FIconized; }
    // Stores the value; on a canvas the wires follow; then repaints.
    void SetIconized(bool value);

    // Mouse position inside the panel when the last drag or resize began.
    int GrabX() const { return FGrabX; }
    int GrabY() const { return FGrabY; }

    // The edit boxes a device shows on the panel, for the view; a plain panel has none.
    virtual std::vector<TEditBox*> EditBoxes() const { return {}; }
    // The user's edit of one of those boxes, once it is complete (the view
    // calls it when the box loses the focus or Return is pressed). Refused
    // with a beep while the canvas takes no edits; a new text raises the
    // canvas's EditCommitted. True when the box holds the text afterwards.
    bool CommitEditText(TEditBox& box, const std::string& text);

    // Mouse input in panel coordinates, from the view. While the canvas takes
    // no edits a left press is refused with a beep.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseMove(TShiftState shift, int x, int y);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    void Click();
    void DblClick();

    // Requests a repaint through the canvas's platform; nothing without a canvas.
    void Repaint() const;

    // Painting, in the order the view draws it.
    std::vector<TPoint> FramePolyline() const;
    // Top-left corner of the port caption: (Left + 1, Top + 1) of the port.
    TPoint PortCaptionOrigin(int port) const;
    // Centred coordinates are (panel size - image size) div 2, else 0; an
    // image larger than the panel gets a negative coordinate.
    TPoint ImagePosition(TSize imageSize) const;
    TPoint IconizeGlyphPosition(TSize glyphSize) const;
    TPoint ResizeGlyphPosition(TSize glyphSize) const;
    // The whole picture with the canvas's pens, image lists and caption
    // setting; without a canvas: unselected, no images, no captions.
    TDragPanelPicture Picture() const;
    // The view calls this after it has painted the panel; raises OnPaint.
    void Painted();

    // The connectors at this panel's ports follow it; the canvas then adjusts its size.
    virtual void UpdateConnectors();
    // The panel record, current version "TDragPanel_3". Loading reads the
    // whole record before it changes anything; a failure restores the position.
    virtual void SaveToStream(TStream& stream);
    virtual void LoadFromStream(TStream& stream);
    // Called by the canvas after it added the panel.
    virtual void AfterAdd() {}

    // Raised when a visible property really changed its value.
    TSignal<TDragPanel& /*sender*/, TPanelChange> Changed;

    TDragPanelPortClicked OnDragPanelPortClicked;
    TDragPanelNotify OnPaint;
    TDragPanelMouseEvent OnMouseDown;
    TDragPanelMouseEvent OnMouseUp;
    TDragPanelMouseMoveEvent OnMouseMove;
    TDragPanelNotify OnClick;
    TDragPanelNotify OnDblClick;

protected:
    // Runs whenever the size changed (a device may re-layout its boxes).
    virtual void Resized() {}
    // For the user's edits of the panel's own content: false, after a beep,
    // while the canvas takes no edits.
    bool EditsAllowed() const;
    // Tells the canvas that a user's edit of this panel is about to change it
    // (with the box for a value edit), and that the edit is complete.
    void EditStarting(const TEditBox* box = nullptr);
    void EditCommitted(TCanvasEdit edit);
    void Announce(TPanelChange change) { Changed.Emit(*this, change); }

private:
    // Stores a property that changes the picture of the symbol area.
    template <typename T> void StoreSymbolProperty(T& field, T value) {
        if (field != value) {
            field = value;
            Announce(TPanelChange::Image);
        }
    }
    void SetPorts(std::vector<TDragPanelPort> ports);
    const TDragPanelPort& Port(int port) const;
    TDragPanelPort& Port(int port);
    void LeftButtonDown(TMouseButton button, TShiftState shift, int x, int y);
    bool InResizeCorner(int x, int y) const;
    bool InIconizeBox(int x, int y) const;
    void BeginDrag(int x, int y, bool resizing);

    TCodingPanel* FParent = nullptr;
    TRect FBounds = TRect::FromBounds(0, 0, 64, 64);
    bool FVisible = true;
    std::string FCaption;
    TColor FColor = clBtnFace;
    std::vector<TDragPanelPort> FPorts;
    int FImageIndex = -1;
    int FIndex = -1;
    int FMinWidth = 32;
    int FMinHeight = 32;
    TDragPanelResizeStyle FResizeStyle = TDragPanelResizeStyle::dprsFixed;
    bool FImageVertCenter = false;
    bool FImageHorzCenter = false;
    bool FCanIconize = false;
    bool FIconized = false;
    int FMaxHeight = -1;
    int FMaxWidth = -1;
    int FGrabX = 0;
    int FGrabY = 0;
};

// Four ports, one in the middle of each side: the base of every device.
class TDragPanel4P : public TDragPanel {
public:
    TDragPanel4P();
    std::string ClassName() const override { return "TDragPanel4P"; }
    // "TDragPanel4P" followed by the TDragPanel record.
    void SaveToStream(TStream& stream) override;
    void LoadFromStream(TStream& stream) override;
};

} // namespace zaro
