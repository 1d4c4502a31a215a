#pragma once
// A one-line text box inside a device panel: the core keeps its text and
// looks; the view mirrors it with a platform edit control and hands the
// user's finished edit to the panel (TDragPanel::CommitEditText).

#include "Color.h"
#include "Geometry.h"
#include "Signal.h"

#include <string>

namespace zaro {

class TEditBox {
public:
    TEditBox() = default;
    TEditBox(const TEditBox&) = delete;
    TEditBox& operator=(const TEditBox&) = delete;

    const std::string& Text() const { return FText; }
    void SetText(const std::string& text);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool readOnly);

    TColor Color() const { return FColor; }
    void SetColor(TColor color);

    // Font height in pixels.
    int FontHeight() const { return FFontHeight; }
    void SetFontHeight(int height);

    // Position and size in the client coordinates of the panel that holds it.
    const TRect& BoundsRect() const { return FBounds; }
    int Left() const { return FBounds.Left; }
    int Top() const { return FBounds.Top; }
    int Width() const { return FBounds.Width(); }
    int Height() const { return FBounds.Height(); }
    // A negative width or height is taken as 0.
    void SetBounds(int left, int top, int width, int height);

    // Raised after any property changed its value, so a view can follow.
    TSignal<TEditBox& /*sender*/> OnChange;

private:
    void Changed();

    std::string FText;
    bool FReadOnly = false;
    TColor FColor = clWindow;
    int FFontHeight = 12;
    TRect FBounds = TRect::FromBounds(0, 0, 121, 21);
};

} // namespace zaro
