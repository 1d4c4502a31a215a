#include "EditBox.h"

#include <algorithm>

namespace zaro {

void TEditBox::Changed() {
    OnChange.Emit(*this);
}

void TEditBox::SetText(const std::string& text) {
    if (text != FText) {
        FText = text;
        Changed();
    }
}

void TEditBox::SetReadOnly(bool readOnly) {
    if (readOnly != FReadOnly) {
        FReadOnly = readOnly;
        Changed();
    }
}

void TEditBox::SetColor(TColor color) {
    if (!(color == FColor)) {
        FColor = color;
        Changed();
    }
}

void TEditBox::SetFontHeight(int height) {
    if (height != FFontHeight) {
        FFontHeight = height;
        Changed();
    }
}

void TEditBox::SetBounds(int left, int top, int width, int height) {
    TRect bounds = TRect::FromBounds(left, top, std::max(width, 0), std::max(height, 0));
    if (!(bounds == FBounds)) {
        FBounds = bounds;
        Changed();
    }
}

} // namespace zaro
