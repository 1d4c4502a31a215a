#pragma once
// Conversion between the program's UTF-8 text and code page 932 (Japanese
// Shift-JIS as the files and the clipboard carry it). Nothing is replaced or
// dropped: text that cannot be converted raises ECp932Error.

#include "ZaroErrors.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zaro {

class ECp932Error : public EZaroError {
public:
    enum class TKind { InvalidUtf8, Unrepresentable, InvalidCp932 };
    ECp932Error(TKind kind, const std::string& message) : EZaroError(message), Kind(kind) {}
    TKind Kind;
};

// Raises "The text is not valid UTF-8.", or "Code page 932 cannot represent
// the character U+XXXX." naming the first character that has no code or that
// would read back as another character (U+00A5 would come back as "\").
std::string Utf8ToCp932(std::string_view utf8);
// "The bytes are not valid code page 932 text (byte offset N)."
std::string Cp932ToUtf8(std::string_view cp932);

// The code page 932 bytes of the text when every character has a code that
// reads back as itself; false (and `cp932` unspecified) otherwise.
bool TryUtf8ToCp932(std::string_view utf8, std::string& cp932);

bool IsValidUtf8(std::string_view text);
// Decodes the character at `pos` and moves `pos` behind it; a byte that does
// not start a valid sequence gives U+FFFD and moves one byte.
std::uint32_t NextCodePoint(std::string_view text, std::size_t& pos);
// Appends the UTF-8 form of a Unicode scalar value (no surrogates, at most U+10FFFF).
void AppendUtf8(std::string& text, std::uint32_t codePoint);

} // namespace zaro
