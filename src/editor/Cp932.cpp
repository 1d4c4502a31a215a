#include "Cp932.h"

#include "CodePageConverter.h"

#include <algorithm>
#include <cstdio>

namespace zaro {

namespace {

// Length of the UTF-8 sequence starting with `lead`, 0 when it cannot start one.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

// Decodes the scalar value at `pos` of valid UTF-8 text.
std::uint32_t DecodeAt(std::string_view text, std::size_t pos) {
    auto lead = static_cast<unsigned char>(text[pos]);
    int n = SequenceLength(lead);
    static constexpr unsigned char LeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    std::uint32_t cp = lead & LeadMask[n];
    for (int i = 1; i < n; ++i) {
        cp = (cp << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
    }
    return cp;
}

// Length of the valid sequence at `i`, 0 when none starts there.
int ValidSequenceAt(std::string_view text, std::size_t i) {
    int n = SequenceLength(static_cast<unsigned char>(text[i]));
    if (n == 0 || i + n > text.size()) {
        return 0;
    }
    for (int k = 1; k < n; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    std::uint32_t cp = DecodeAt(text, i);
    static constexpr std::uint32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < Smallest[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return n;
}

} // namespace

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const int n = ValidSequenceAt(text, i);
        if (n == 0) {
            return false;
        }
        i += static_cast<std::size_t>(n);
    }
    return true;
}

std::uint32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    const int n = ValidSequenceAt(text, pos);
    if (n == 0) {
        ++pos;
        return 0xFFFD;
    }
    const std::uint32_t cp = DecodeAt(text, pos);
    pos += static_cast<std::size_t>(n);
    return cp;
}

void AppendUtf8(std::string& text, std::uint32_t cp) {
    if (cp < 0x80) {
        text += static_cast<char>(cp);
    } else if (cp < 0x800) {
        text += static_cast<char>(0xC0 | (cp >> 6));
        text += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        text += static_cast<char>(0xE0 | (cp >> 12));
        text += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (cp >> 18));
        text += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

namespace {

TCodePageConverter& Encoder() {
    thread_local TCodePageConverter converter("CP932", "UTF-8");
    return converter;
}

TCodePageConverter& Decoder() {
    thread_local TCodePageConverter converter("UTF-8", "CP932");
    return converter;
}

// Converts all of `input` into `output` (replaced); npos on success.
std::size_t ConvertAll(TCodePageConverter& converter, std::string_view input, std::string& output) {
    output.clear();
    return converter.Convert(input, output);
}

// True when the character encodes and decodes back to itself; the converter
// folds some characters (U+00A5, U+203E, U+301C, ...) onto others.
bool RoundTrips(std::string_view character) {
    std::string bytes;
    return TryUtf8ToCp932(character, bytes);
}

[[noreturn]] void Unrepresentable(std::string_view utf8, std::size_t pos) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(DecodeAt(utf8, pos)));
    throw ECp932Error(ECp932Error::TKind::Unrepresentable,
                      std::string("Code page 932 cannot represent the character ") + code + ".");
}

// The first character that does not survive the conversion unchanged.
[[noreturn]] void ReportFirstUnrepresentable(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        auto n = static_cast<std::size_t>(SequenceLength(static_cast<unsigned char>(utf8[i])));
        if (!RoundTrips(utf8.substr(i, n))) {
            Unrepresentable(utf8, i);
        }
        i += n;
    }
    throw ECp932Error(ECp932Error::TKind::Unrepresentable,
                      "Code page 932 cannot represent the text.");
}

// The ASCII range is the same in both encodings, and most texts of a model
// (the panel properties, numbers, class names) stay inside it.
bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

std::string Utf8ToCp932(std::string_view utf8) {
    if (IsAscii(utf8)) {
        return std::string(utf8);
    }
    if (!IsValidUtf8(utf8)) {
        throw ECp932Error(ECp932Error::TKind::InvalidUtf8, "The text is not valid UTF-8.");
    }
    std::string result;
    if (!TryUtf8ToCp932(utf8, result)) {
        ReportFirstUnrepresentable(utf8);
    }
    return result;
}

bool TryUtf8ToCp932(std::string_view utf8, std::string& cp932) {
    std::string back;
    return IsValidUtf8(utf8) && ConvertAll(Encoder(), utf8, cp932) == std::string_view::npos &&
           ConvertAll(Decoder(), cp932, back) == std::string_view::npos && back == utf8;
}

std::string Cp932ToUtf8(std::string_view cp932) {
    if (IsAscii(cp932)) {
        return std::string(cp932);
    }
    std::string result;
    std::size_t bad = ConvertAll(Decoder(), cp932, result);
    if (bad != std::string_view::npos) {
        throw ECp932Error(ECp932Error::TKind::InvalidCp932,
                          "The bytes are not valid code page 932 text (byte offset " +
                              std::to_string(bad) + ").");
    }
    return result;
}

} // namespace zaro
