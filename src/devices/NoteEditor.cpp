#include "NoteEditor.h"

#include "RtfWriter.h"

#include <algorithm>

namespace zaro {

TNoteEditor::TNoteEditor() {
    SetPlainText("Description:");
}

TRichTextFormat TNoteEditor::DefaultFormat() {
    TRichTextFormat format;
    format.FaceName = "MS UI Gothic";
    format.SizeHalfPoints = 18;
    return format;
}

void TNoteEditor::SetPlainText(std::string_view text) {
    SetContent(TRichText::FromPlainText(text, DefaultFormat()));
}

std::string TNoteEditor::PlainRtf(std::string_view text) {
    return WriteRtf(TRichText::FromPlainText(text, DefaultFormat()));
}

void TNoteEditor::SetBounds(int left, int top, int width, int height) {
    FBounds = TRect::FromBounds(left, top, std::max(width, 0), std::max(height, 0));
}

} // namespace zaro
