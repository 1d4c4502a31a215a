#pragma once
// Reads an RTF document as rich-text controls write it: the font table with
// faces and character sets, the colour table, paragraphs, font, size, bold,
// italic, underline, strike-out and colour, text as \'hh bytes in the font's
// code page (932 for Japanese fonts) and as \uN with its fallback skipped.
// Destinations it does not show (style sheet, document information,
// pictures, \* groups, ...) are skipped.
//
// Reading never fails: unknown control words are ignored, unbalanced groups
// are closed at the end, bytes that are not text in their code page become
// U+FFFD, and groups nested deeper than a limit share the state of the
// deepest one. Memory and time grow linearly with the input, of which at most
// MaxRtfBytes are read.

#include "RichText.h"

#include <cstddef>
#include <string_view>

namespace zaro {

inline constexpr std::size_t MaxRtfBytes = 4 * 1024 * 1024;

// Bytes that do not start with "{\rtf" are plain text in code page 932, one
// paragraph per line, in `plainFormat`, as a rich-text control loads them.
// No bytes give a text without paragraphs.
TRichText ReadRtf(std::string_view bytes, const TRichTextFormat& plainFormat = {});

} // namespace zaro
