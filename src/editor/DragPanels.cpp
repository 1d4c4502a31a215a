#include "DragPanels.h"

#include "CodingPanel.h"
#include "ComponentText.h"

#include <algorithm>

namespace zaro {

namespace {

// Size of the corner boxes for resizing and iconizing.
constexpr int CornerBox = 16;

// Everything a panel record holds, read completely before it is applied.
struct TDragPanelRecord {
    int Version = 3;
    std::function<void(TDragPanel&)> ApplyText;
    std::string Caption;
    std::int32_t ImageIndex = -1;
    std::int32_t Index = -1;
    bool CanIconize = false;
    bool Iconized = false;
    std::int32_t MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
    bool ImageHorzCenter = false;
    bool ImageVertCenter = false;
    std::vector<TDragPanelPort> Ports;
};

int VersionOfTag(const std::string& tag) {
    return tag == "TDragPanel" ? 1 : tag == "TDragPanel_2" ? 2 : 3;
}

TRect ReadRect(TStream& stream) {
    TRect r;
    r.Left = ReadIntegerFromStr(stream);
    r.Top = ReadIntegerFromStr(stream);
    r.Right = ReadIntegerFromStr(stream);
    r.Bottom = ReadIntegerFromStr(stream);
    return r;
}

void WriteRect(TStream& stream, const TRect& r) {
    WriteIntegerToStr(stream, r.Left);
    WriteIntegerToStr(stream, r.Top);
    WriteIntegerToStr(stream, r.Right);
    WriteIntegerToStr(stream, r.Bottom);
}

// The port count, refused when the stream cannot hold that many ports (each
// needs at least a connector number, an empty name, a rectangle and, from
// version 2 on, an empty caption), so no huge array is made for a bad record.
int ReadPortCount(TStream& stream, int version) {
    std::int32_t n = ReadIntegerFromStr(stream);
    if (n <= 0) {
        return 0;
    }
    const std::int64_t smallestPort = 4 + 4 + 16 + (version >= 2 ? 4 : 0);
    if (n * smallestPort > stream.Remaining()) {
        throw EReadError();
    }
    return n;
}

void ReadPorts(TStream& stream, TDragPanelRecord& r) {
    r.Ports.resize(static_cast<std::size_t>(ReadPortCount(stream, r.Version)));
    for (auto& port : r.Ports) {
        port.ConnectorNo = ReadIntegerFromStr(stream);
    }
    for (auto& port : r.Ports) {
        port.Direction = StrToPortDirection(ReadStringFromStr(stream));
    }
    for (auto& port : r.Ports) {
        port.Rect = ReadRect(stream);
    }
    if (r.Version >= 2) {
        for (auto& port : r.Ports) {
            port.Caption = ReadStringFromStr(stream);
        }
    }
}

TDragPanelRecord ReadDragPanelRecord(TStream& stream) {
    TDragPanelRecord r;
    r.Version = VersionOfTag(
        ReadRecordTag(stream, {"TDragPanel", "TDragPanel_2", "TDragPanel_3"}, "TDragPanel"));
    r.ApplyText = ComponentTextChange(ParseComponentText(ReadStringFromStr(stream)));
    r.Caption = ReadStringFromStr(stream);
    r.ImageIndex = ReadIntegerFromStr(stream);
    r.Index = ReadIntegerFromStr(stream);
    if (r.Version >= 2) {
        r.CanIconize = ReadBooleanFromStr(stream);
        r.Iconized = ReadBooleanFromStr(stream);
    }
    if (r.Version >= 3) {
        r.MinWidth = ReadIntegerFromStr(stream);
        r.MinHeight = ReadIntegerFromStr(stream);
        r.MaxWidth = ReadIntegerFromStr(stream);
        r.MaxHeight = ReadIntegerFromStr(stream);
    }
    r.ImageHorzCenter = ReadBooleanFromStr(stream);
    r.ImageVertCenter = ReadBooleanFromStr(stream);
    ReadPorts(stream, r);
    return r;
}

} // namespace

TDragPanel::TDragPanel() = default;
TDragPanel::~TDragPanel() = default;

void TDragPanel::SetBounds(int left, int top, int width, int height) {
    TRect bounds = TRect::FromBounds(left, top, std::max(width, 0), std::max(height, 0));
    if (bounds == FBounds) {
        return;
    }
    bool resized = bounds.Width() != FBounds.Width() || bounds.Height() != FBounds.Height();
    FBounds = bounds;
    if (resized) {
        Resized();
    }
    Repaint();
    Announce(TPanelChange::Bounds);
}

void TDragPanel::SetVisible(bool visible) {
    if (visible != FVisible) {
        FVisible = visible;
        Repaint();
        Announce(TPanelChange::Visibility);
    }
}

void TDragPanel::SetCaption(const std::string& caption) {
    const bool changed = caption != FCaption;
    FCaption = caption;
    Repaint();
    if (changed) {
        Announce(TPanelChange::Caption);
    }
}

void TDragPanel::SetColor(TColor color) {
    const bool changed = !(color == FColor);
    FColor = color;
    Repaint();
    if (changed) {
        Announce(TPanelChange::Color);
    }
}

void TDragPanel::SetImageIndex(int imageIndex) {
    const bool changed = imageIndex != FImageIndex;
    FImageIndex = imageIndex;
    Repaint();
    if (changed) {
        Announce(TPanelChange::Image);
    }
}

const TDragPanelPort& TDragPanel::Port(int port) const {
    CheckIndex(port, PortCount());
    return FPorts[static_cast<std::size_t>(port)];
}

TDragPanelPort& TDragPanel::Port(int port) {
    CheckIndex(port, PortCount());
    return FPorts[static_cast<std::size_t>(port)];
}

void TDragPanel::SetPorts(std::vector<TDragPanelPort> ports) {
    if (ports != FPorts) {
        FPorts = std::move(ports);
        Announce(TPanelChange::Ports);
    }
}

void TDragPanel::SetPortCount(int count) {
    std::vector<TDragPanelPort> ports = FPorts;
    ports.resize(static_cast<std::size_t>(std::max(count, 0)));
    SetPorts(std::move(ports));
}

void TDragPanel::SetPortDirection(int port, TPortDirection direction) {
    if (Port(port).Direction != direction) {
        Port(port).Direction = direction;
        Announce(TPanelChange::Ports);
    }
}

void TDragPanel::SetPortRect(int port, const TRect& rect) {
    if (!(Port(port).Rect == rect)) {
        Port(port).Rect = rect;
        Announce(TPanelChange::Ports);
    }
}

void TDragPanel::SetPortCaption(int port, const std::string& caption) {
    if (Port(port).Caption != caption) {
        Port(port).Caption = caption;
        Announce(TPanelChange::Ports);
    }
}

int TDragPanel::PortAt(int x, int y) const {
    for (int i = 0; i < PortCount(); ++i) {
        if (FPorts[static_cast<std::size_t>(i)].Rect.Contains({x, y})) {
            return i;
        }
    }
    return -1;
}

void TDragPanel::SetIconized(bool value) {
    const bool changed = value != FIconized;
    FIconized = value;
    if (FParent != nullptr) {
        UpdateConnectors();
    }
    Repaint();
    if (changed) {
        Announce(TPanelChange::Iconized);
    }
}

bool TDragPanel::EditsAllowed() const {
    if (FParent != nullptr && FParent->EditsLocked()) {
        FParent->Platform().Beep();
        return false;
    }
    return true;
}

void TDragPanel::EditStarting(const TEditBox* box) {
    if (FParent != nullptr) {
        FParent->EditStarting.Emit({this, box});
    }
}

void TDragPanel::EditCommitted(TCanvasEdit edit) {
    if (FParent != nullptr) {
        FParent->EditCommitted.Emit(edit);
    }
}

bool TDragPanel::CommitEditText(TEditBox& box, const std::string& text) {
    const std::vector<TEditBox*> boxes = EditBoxes();
    if (std::find(boxes.begin(), boxes.end(), &box) == boxes.end()) {
        throw EZaroError("TDragPanel.CommitEditText: the box is not one of the panel's.");
    }
    if (text == box.Text()) {
        return true;
    }
    if (box.ReadOnly() || !EditsAllowed()) {
        return false;
    }
    EditStarting(&box);
    box.SetText(text);
    EditCommitted(TCanvasEdit::ValueEdited);
    return true;
}

void TDragPanel::Repaint() const {
    if (FParent != nullptr) {
        FParent->Platform().RepaintPanel(*this);
    }
}

void TDragPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const bool refused = button == TMouseButton::mbLeft && !EditsAllowed();
    if (refused) {
        // Every left press starts an edit: a drag, a resize, an iconize or a wire.
    } else if (button == TMouseButton::mbLeft) {
        LeftButtonDown(button, shift, x, y);
    } else if (FParent != nullptr) {
        FParent->SetSelectedDragPanelNo(FIndex);
        Repaint();
    }
    if (FParent != nullptr) {
        FParent->Platform().FocusCanvas();
    }
    if (!refused) {
        OnMouseDown.Emit(*this, button, shift, x, y);
    }
}

void TDragPanel::LeftButtonDown(TMouseButton button, TShiftState shift, int x, int y) {
    int port = PortAt(x, y);
    // The resize corner wins over a port lying under it.
    if (FParent != nullptr && InResizeCorner(x, y)) {
        BeginDrag(x, y, true);
    } else if (InIconizeBox(x, y)) {
        if (FParent != nullptr) {
            EditStarting();
            SetIconized(!FIconized);
            EditCommitted(TCanvasEdit::PanelIconized);
        }
    } else if (port < 0) {
        if (FParent != nullptr) {
            BeginDrag(x, y, false);
        }
    } else {
        OnDragPanelPortClicked.Emit(*this, button, shift, x, y, FIndex, port);
        if (FParent != nullptr) {
            FParent->ProcessOnDragPanelPortClicked(*this, port);
        }
    }
}

bool TDragPanel::InResizeCorner(int x, int y) const {
    return x > Width() - CornerBox && y > Height() - CornerBox &&
           FResizeStyle == TDragPanelResizeStyle::dprsLine && !FIconized;
}

bool TDragPanel::InIconizeBox(int x, int y) const {
    return x > Width() - CornerBox && y < CornerBox && FCanIconize;
}

void TDragPanel::BeginDrag(int x, int y, bool resizing) {
    FGrabX = x;
    FGrabY = y;
    Hide();
    FParent->SetDragComponent(this);
    FParent->SetStatus(resizing ? TCodingPanelStatus::cpsResizingPanel
                                : TCodingPanelStatus::cpsDraggingPanel);
    FParent->SetSelectedDragPanelNo(FIndex);
    FParent->Platform().BeginPanelDrag(*this, FParent->DragPanelGridPitch() / 2);
}

void TDragPanel::MouseMove(TShiftState shift, int x, int y) {
    OnMouseMove.Emit(*this, shift, x, y);
}

void TDragPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    OnMouseUp.Emit(*this, button, shift, x, y);
}

void TDragPanel::Click() {
    OnClick.Emit(*this);
}

void TDragPanel::DblClick() {
    OnDblClick.Emit(*this);
}

std::vector<TPoint> TDragPanel::FramePolyline() const {
    int r = Width() - 1;
    int b = Height() - 1;
    return {{0, 0}, {r, 0}, {r, b}, {0, b}, {0, 0}};
}

TPoint TDragPanel::PortCaptionOrigin(int port) const {
    const TRect& r = PortRect(port);
    return {r.Left + 1, r.Top + 1};
}

TPoint TDragPanel::ImagePosition(TSize imageSize) const {
    return {FImageHorzCenter ? Div(Width() - imageSize.Width, 2) : 0,
            FImageVertCenter ? Div(Height() - imageSize.Height, 2) : 0};
}

TPoint TDragPanel::IconizeGlyphPosition(TSize glyphSize) const {
    return {Width() - glyphSize.Width, 1};
}

TPoint TDragPanel::ResizeGlyphPosition(TSize glyphSize) const {
    return {Width() - glyphSize.Width, Height() - glyphSize.Height};
}

TDragPanelPicture TDragPanel::Picture() const {
    TDragPanelPicture picture;
    picture.Frame = FramePolyline();
    picture.Selected = FParent != nullptr && FParent->SelectedDragPanelNo() == FIndex;
    bool captions = FParent != nullptr && FParent->ShowDragPanelPortCaptions();
    for (int i = 0; i < PortCount(); ++i) {
        picture.Ports.push_back({PortRect(i), PortCaption(i), PortCaptionOrigin(i), captions});
    }
    picture.ImageIndex = FImageIndex;
    const TImageList* images = FParent != nullptr ? FParent->ImageList() : nullptr;
    if (FImageIndex != -1 && images != nullptr) {
        picture.ImagePosition = ImagePosition({images->Width, images->Height});
    }
    const TImageList* glyphs = FParent != nullptr ? FParent->Images() : nullptr;
    if (glyphs != nullptr) {
        TSize glyph{glyphs->Width, glyphs->Height};
        if (FCanIconize) {
            picture.Glyphs.push_back({FIconized ? 2 : 1, IconizeGlyphPosition(glyph)});
        }
        if (FResizeStyle != TDragPanelResizeStyle::dprsFixed) {
            picture.Glyphs.push_back({0, ResizeGlyphPosition(glyph)});
        }
    }
    return picture;
}

void TDragPanel::Painted() {
    OnPaint.Emit(*this);
}

void TDragPanel::UpdateConnectors() {
    if (FParent == nullptr) {
        return;
    }
    for (const auto& port : FPorts) {
        if (port.ConnectorNo != -1) {
            FParent->Connector(port.ConnectorNo).FollowPanel(FIndex);
        }
    }
    FParent->AdjustCanvasSize();
}

void TDragPanel::SaveToStream(TStream& stream) {
    WriteStringToStr(stream, "TDragPanel_3");
    WriteStringToStr(stream, ComponentToText(*this));
    WriteStringToStr(stream, FCaption);
    WriteIntegerToStr(stream, FImageIndex);
    WriteIntegerToStr(stream, FIndex);
    WriteBooleanToStr(stream, FCanIconize);
    WriteBooleanToStr(stream, FIconized);
    WriteIntegerToStr(stream, FMinWidth);
    WriteIntegerToStr(stream, FMinHeight);
    WriteIntegerToStr(stream, FMaxWidth);
    WriteIntegerToStr(stream, FMaxHeight);
    WriteBooleanToStr(stream, FImageHorzCenter);
    WriteBooleanToStr(stream, FImageVertCenter);
    WriteIntegerToStr(stream, PortCount());
    for (const auto& port : FPorts) {
        WriteIntegerToStr(stream, port.ConnectorNo);
    }
    for (const auto& port : FPorts) {
        WriteStringToStr(stream, PortDirectionToStr(port.Direction));
    }
    for (const auto& port : FPorts) {
        WriteRect(stream, port.Rect);
    }
    for (const auto& port : FPorts) {
        WriteStringToStr(stream, port.Caption);
    }
}

void TDragPanel::LoadFromStream(TStream& stream) {
    TStreamPositionGuard guard(stream);
    TDragPanelRecord r = ReadDragPanelRecord(stream);
    guard.Commit();
    r.ApplyText(*this);
    SetCaption(r.Caption);
    SetImageIndex(r.ImageIndex);
    SetIndex(r.Index);
    // Stored directly: loading neither repaints nor re-routes.
    if (r.Version >= 2) {
        SetCanIconize(r.CanIconize);
        if (r.Iconized != FIconized) {
            FIconized = r.Iconized;
            Announce(TPanelChange::Iconized);
        }
    }
    if (r.Version >= 3) {
        FMinWidth = r.MinWidth;
        FMinHeight = r.MinHeight;
        FMaxWidth = r.MaxWidth;
        FMaxHeight = r.MaxHeight;
    }
    SetImageHorzCenter(r.ImageHorzCenter);
    SetImageVertCenter(r.ImageVertCenter);
    std::vector<TDragPanelPort> ports = FPorts;
    ports.resize(r.Ports.size());
    for (std::size_t i = 0; i < r.Ports.size(); ++i) {
        TDragPanelPort& port = ports[i];
        port.ConnectorNo = r.Ports[i].ConnectorNo;
        port.Direction = r.Ports[i].Direction;
        port.Rect = r.Ports[i].Rect;
        if (r.Version >= 2) {
            port.Caption = r.Ports[i].Caption;
        }
    }
    SetPorts(std::move(ports));
}

TDragPanel4P::TDragPanel4P() {
    SetPortCount(4);
    const TPortDirection directions[4] = {TPortDirection::pdLeft, TPortDirection::pdRight,
                                          TPortDirection::pdUp, TPortDirection::pdDown};
    const TRect rects[4] = {{0, 27, 4, 36}, {59, 27, 64, 36}, {27, 0, 36, 4}, {27, 59, 36, 64}};
    for (int i = 0; i < 4; ++i) {
        SetPortDirection(i, directions[i]);
        SetPortRect(i, rects[i]);
    }
}

void TDragPanel4P::SaveToStream(TStream& stream) {
    WriteStringToStr(stream, "TDragPanel4P");
    TDragPanel::SaveToStream(stream);
}

void TDragPanel4P::LoadFromStream(TStream& stream) {
    TStreamPositionGuard guard(stream);
    CheckRecordTag(stream, "TDragPanel4P");
    TDragPanel::LoadFromStream(stream);
    guard.Commit();
}

} // namespace zaro
