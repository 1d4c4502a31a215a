#pragma once
// The rich-text editor of a label as the core keeps it: its document (the RTF
// bytes the editor saves), its place in the panel and the editing options the
// view applies to its platform control.

#include "Geometry.h"
#include "RichTextDocument.h"

#include <string>
#include <string_view>

namespace zaro {

class TNoteEditor {
public:
    // A document holding the one paragraph "Description:".
    TNoteEditor();
    TNoteEditor(const TNoteEditor&) = delete;
    TNoteEditor& operator=(const TNoteEditor&) = delete;

    TRichTextDocument& Document() { return FDocument; }
    const TRichTextDocument& Document() const { return FDocument; }

    // Position and size in the client coordinates of the label.
    const TRect& BoundsRect() const { return FBounds; }
    // A negative width or height is taken as 0.
    void SetBounds(int left, int top, int width, int height);

    int FontHeight = 11;
    int BorderWidth = 4;
    bool WordWrap = true;
    bool WantReturns = true;
    bool WantTabs = true;
    bool VerticalScrollBar = true;

    // The format of a new note's text, and of a note stored as plain text.
    static TRichTextFormat DefaultFormat();
    // The formatted text of the document, and the document made from one.
    TRichText Content() const { return FDocument.Content(DefaultFormat()); }
    void SetContent(const TRichText& text) { FDocument.SetContent(text); }
    // The document becomes the lines of `text` in the default format.
    void SetPlainText(std::string_view text);
    // The RTF document of a note that holds the lines of `text` in the default format.
    static std::string PlainRtf(std::string_view text);

private:
    TRichTextDocument FDocument;
    TRect FBounds = TRect::FromBounds(16, 40, 96, 16);
};

} // namespace zaro
