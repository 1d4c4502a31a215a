#pragma once
// Writes the formatted text as RTF the way a rich-text control saves it: a
// font table of the faces used (Japanese character set), a colour table,
// one \par per paragraph, and the character formats as control words. Text
// goes out in code page 932 as \'hh; what that code page cannot hold goes out
// as \uN with "?" for readers without Unicode. The reader reads it back to
// the same text.

#include "RichText.h"

#include <string>

namespace zaro {

std::string WriteRtf(const TRichText& text);

} // namespace zaro
