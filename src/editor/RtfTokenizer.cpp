#include "RtfTokenizer.h"

#include <algorithm>
#include <limits>

namespace zaro {

namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

TRtfToken TRtfTokenizer::Next() {
    for (;;) {
        const TRtfToken token = Token();
        // A broken \' escape yields nothing: read on after the quote.
        if (token.Kind != TRtfTokenKind::Skipped) {
            return token;
        }
    }
}

TRtfToken TRtfTokenizer::Token() {
    // Line ends in RTF are only there to keep lines short.
    while (Pos < Input.size() && (Input[Pos] == '\r' || Input[Pos] == '\n')) {
        ++Pos;
    }
    if (Pos >= Input.size()) {
        return {};
    }
    TRtfToken token;
    switch (Input[Pos]) {
    case '{':
        ++Pos;
        token.Kind = TRtfTokenKind::GroupStart;
        return token;
    case '}':
        ++Pos;
        token.Kind = TRtfTokenKind::GroupEnd;
        return token;
    case '\\':
        return Escape();
    default: {
        const std::size_t end = Input.find_first_of("{}\\\r\n", Pos);
        token.Kind = TRtfTokenKind::Text;
        token.Text = Input.substr(Pos, end == std::string_view::npos ? end : end - Pos);
        Pos += token.Text.size();
        return token;
    }
    }
}

TRtfToken TRtfTokenizer::Escape() {
    ++Pos; // the backslash
    TRtfToken token;
    if (Pos >= Input.size()) {
        return token;
    }
    const char c = Input[Pos];
    if (IsLetter(c)) {
        return ControlWord();
    }
    ++Pos;
    if (c == '\\' || c == '{' || c == '}') {
        token.Kind = TRtfTokenKind::Text;
        token.Text = Input.substr(Pos - 1, 1);
    } else if (c == '\r' || c == '\n') {
        // A backslash before a line end is a paragraph mark.
        token.Kind = TRtfTokenKind::ControlWord;
        token.Text = "par";
    } else if (c == '\'') {
        const int high = Pos < Input.size() ? HexValue(Input[Pos]) : -1;
        const int low = Pos + 1 < Input.size() ? HexValue(Input[Pos + 1]) : -1;
        if (high < 0 || low < 0) {
            token.Kind = TRtfTokenKind::Skipped;
            return token;
        }
        Pos += 2;
        token.Kind = TRtfTokenKind::HexByte;
        token.Byte = static_cast<std::uint8_t>(high * 16 + low);
    } else {
        token.Kind = TRtfTokenKind::ControlSymbol;
        token.Text = Input.substr(Pos - 1, 1);
    }
    return token;
}

TRtfToken TRtfTokenizer::ControlWord() {
    TRtfToken token;
    token.Kind = TRtfTokenKind::ControlWord;
    const std::size_t start = Pos;
    while (Pos < Input.size() && IsLetter(Input[Pos])) {
        ++Pos;
    }
    token.Text = Input.substr(start, Pos - start);
    bool negative = false;
    if (Pos + 1 < Input.size() && Input[Pos] == '-' && IsDigit(Input[Pos + 1])) {
        negative = true;
        ++Pos;
    }
    std::int64_t value = 0;
    while (Pos < Input.size() && IsDigit(Input[Pos])) {
        token.HasParameter = true;
        value = std::min<std::int64_t>(value * 10 + (Input[Pos] - '0'),
                                       std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1);
        ++Pos;
    }
    value = negative ? -value : value;
    token.Parameter = static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    if (Pos < Input.size() && Input[Pos] == ' ') {
        ++Pos;
    }
    return token;
}

void TRtfTokenizer::SkipBytes(std::int64_t count) {
    const auto left = static_cast<std::int64_t>(Input.size() - Pos);
    Pos += static_cast<std::size_t>(std::clamp<std::int64_t>(count, 0, left));
}

} // namespace zaro
