#pragma once
// A label's formatted text in a QTextDocument and back: faces, sizes, bold,
// italic, underline, strike-out, colours and paragraphs map one to one, so
// a note shown and taken back unchanged keeps its formatting.

#include "RichText.h"

class QTextCharFormat;
class QTextDocument;

namespace zaro::gui {

QTextCharFormat CharFormatOf(const TRichTextFormat& format);
// A size or face the character format leaves open comes from `document`'s font.
TRichTextFormat RichTextFormatOf(const QTextCharFormat& format, const QTextDocument& document);

// The document's whole content becomes `text`.
void FillDocument(QTextDocument& document, const TRichText& text);
TRichText DocumentContent(const QTextDocument& document);

} // namespace zaro::gui
