#include "NoteEditor.h"

#include <algorithm>

namespace zaro {

TNoteEditor::TNoteEditor() {
    const std::string rtf = PlainRtf("Description:");
    FDocument.SetRtf(std::vector<std::uint8_t>(rtf.begin(), rtf.end()));
}

void TNoteEditor::SetBounds(int left, int top, int width, int height) {
    FBounds = TRect::FromBounds(left, top, std::max(width, 0), std::max(height, 0));
}

std::string TNoteEditor::PlainRtf(const std::string& text) {
    return "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 MS UI "
           "Gothic;}}\r\n\\pard\\f0\\fs18 " +
           text + "\\par\r\n}\r\n";
}

} // namespace zaro
