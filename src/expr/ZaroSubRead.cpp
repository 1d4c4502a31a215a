// Reading numbers with unit prefixes.

#include "AsciiText.h"
#include "CheckedMath.h"
#include "ZaroSub.h"

#include <array>
#include <charconv>
#include <string>

namespace zaro {

namespace {

struct TPrefix {
    std::string_view Letters;
    TWide Multiplier;
};

// Two-letter groups come before their single letters: "MG" before "G" and "M",
// "DG" before "G".
constexpr std::array<TPrefix, 11> ReadPrefixes{{
    {"T", 1E12L},
    {"MG", 1E6L},
    {"DG", 0.0174532925199432957692369076848861271L}, // pi / 180
    {"G", 1E9L},
    {"K", 1E3L},
    {"M", 1E-3L},
    {"U", 1E-6L},
    {"N", 1E-9L},
    {"P", 1E-12L},
    {"F", 1E-15L},
    {"A", 1E-18L},
}};

[[noreturn]] void RaiseNotFloat(std::string_view text) {
    throw EConvertError("'" + std::string(text) + "' は浮動小数点数ではありません");
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsAsciiDigit(text[i])) {
        ++i;
    }
    return i;
}

// Position just past a well-formed number starting at `start`, or npos.
std::size_t ScanNumber(std::string_view text, std::size_t start) {
    std::size_t i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t intEnd = SkipDigits(text, i);
    std::size_t digits = intEnd - i;
    i = intEnd;
    if (i < text.size() && text[i] == '.') {
        std::size_t fracEnd = SkipDigits(text, i + 1);
        digits += fracEnd - (i + 1);
        i = fracEnd;
    }
    if (digits == 0) {
        return std::string_view::npos;
    }
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        std::size_t expEnd = SkipDigits(text, j);
        if (expEnd == j) {
            return std::string_view::npos;
        }
        i = expEnd;
    }
    return i;
}

// A number that does not fit a double: decides between overflow and underflow from
// the position of its first significant digit and its exponent.
bool IsHugeNumber(std::string_view number) {
    long long exponent = 0;
    std::size_t e = number.find_first_of("Ee");
    if (e != std::string_view::npos) {
        std::string_view expText = number.substr(e + 1);
        bool negative = !expText.empty() && expText[0] == '-';
        if (!expText.empty() && (expText[0] == '-' || expText[0] == '+')) {
            expText.remove_prefix(1);
        }
        for (char c : expText) {
            exponent = exponent < 100000000 ? exponent * 10 + (c - '0') : exponent;
        }
        exponent = negative ? -exponent : exponent;
        number = number.substr(0, e);
    }
    long long position = 0; // decimal exponent of the first significant digit, plus one
    bool seenPoint = false;
    bool seenDigit = false;
    for (char c : number) {
        if (c == '.') {
            seenPoint = true;
        } else if (IsAsciiDigit(c)) {
            if (c != '0' && !seenDigit) {
                seenDigit = true;
            }
            if (!seenPoint && seenDigit) {
                ++position;
            } else if (seenPoint && !seenDigit) {
                --position;
            }
        }
    }
    return position + exponent > 0;
}

double ReadNumber(std::string_view number) {
    bool negative = !number.empty() && number[0] == '-';
    std::string_view body = number;
    if (!body.empty() && (body[0] == '+' || body[0] == '-')) {
        body.remove_prefix(1);
    }
    double value = 0;
    auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        if (IsHugeNumber(body)) {
            throw EOverflow();
        }
        value = 0;
    }
    return negative ? -value : value;
}

TWide ReadPrefixed(std::string_view text) {
    for (const TPrefix& prefix : ReadPrefixes) {
        std::size_t at = text.find(prefix.Letters);
        if (at != std::string_view::npos) {
            return static_cast<TWide>(PlainStrToFloat(text.substr(0, at))) * prefix.Multiplier;
        }
    }
    return PlainStrToFloat(text);
}

} // namespace

double PlainStrToFloat(std::string_view text) {
    std::size_t start = text.find_first_not_of(' ');
    std::size_t end = start == std::string_view::npos ? start : ScanNumber(text, start);
    if (end == std::string_view::npos ||
        text.find_first_not_of(' ', end) != std::string_view::npos) {
        RaiseNotFloat(text);
    }
    return ReadNumber(text.substr(start, end - start));
}

double PrefixedStrToFloat(std::string_view text) {
    return CheckedDouble(ReadPrefixed(text));
}

bool TryPrefixedStrToFloat(std::string_view text, double& value) {
    value = 0;
    if (text.empty()) {
        return false;
    }
    std::string upper = UpperAscii(text);
    char first = upper[0];
    if (first != '+' && first != '-' && first != '.' && !IsAsciiDigit(first)) {
        return false;
    }
    std::string_view view = upper;
    std::size_t e = view.find('E');
    if (e == std::string_view::npos) {
        value = CheckedDouble(ReadPrefixed(view));
        return true;
    }
    TWide mantissa = ReadPrefixed(view.substr(0, e));
    TWide exponent = ReadPrefixed(view.substr(e + 1));
    // Zero stays zero whatever the exponent, even one whose power alone would overflow.
    value = mantissa == 0 ? 0.0 : CheckedDouble(mantissa * RealPower(10, exponent));
    return true;
}

double ZaroStrToFloat(std::string_view text) {
    double value = 0;
    if (!TryPrefixedStrToFloat(text, value)) {
        throw EConvertError("ZaroStrToFloat: Not a number.");
    }
    return value;
}

} // namespace zaro
