#pragma once
// Splits RTF bytes into groups, control words, control symbols, \'hh bytes
// and plain text. Tokens point into the input; nothing is allocated, and every
// call consumes at least one byte, so a pass over any input ends.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zaro {

enum class TRtfTokenKind {
    GroupStart,    // {
    GroupEnd,      // }
    ControlWord,   // \word or \wordN, with its delimiting blank consumed
    ControlSymbol, // \ followed by one character that is not a letter: \~ \- \_ \* ...
    HexByte,       // \'hh
    Text,          // bytes of text, including the escaped \\ \{ \}
    End,
    Skipped // internal: a broken \' escape
};

struct TRtfToken {
    TRtfTokenKind Kind = TRtfTokenKind::End;
    // The control word's name, the control symbol's character or the text.
    std::string_view Text;
    bool HasParameter = false;
    // Clamped to the 32-bit range.
    std::int32_t Parameter = 0;
    std::uint8_t Byte = 0;

    bool Is(std::string_view word) const {
        return Kind == TRtfTokenKind::ControlWord && Text == word;
    }
};

class TRtfTokenizer {
public:
    explicit TRtfTokenizer(std::string_view input) : Input(input) {}

    TRtfToken Next();
    // Skips up to `count` raw bytes (the data of \binN).
    void SkipBytes(std::int64_t count);
    std::size_t Position() const { return Pos; }

private:
    TRtfToken Token();
    TRtfToken ControlWord();
    TRtfToken Escape();

    std::string_view Input;
    std::size_t Pos = 0;
};

} // namespace zaro
