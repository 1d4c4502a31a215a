// Writing numbers: the general format G(P) and the formats of PrefixedFloatToStrF.

#include "CheckedMath.h"
#include "ZaroSub.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace zaro {

namespace {

constexpr int MaxPrecision = 18;
constexpr int MaxExpDigits = 4;

constexpr std::array<const char*, 11> WritePrefixes{"A", "F", "P",  "N", "U", "M",
                                                    "",  "K", "MG", "G", "T"};

// The value rounded to `precision` significant digits: the digits without a point
// and the decimal exponent of the first one (value = d1.d2d3... * 10^exponent).
struct TDecimalDigits {
    std::string Digits;
    int Exponent = 0;
};

TDecimalDigits RoundedDigits(double magnitude, int precision) {
    std::array<char, 64> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                std::chars_format::scientific, precision - 1);
    std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    std::size_t e = text.find('e');
    TDecimalDigits d;
    for (char c : text.substr(0, e)) {
        if (c != '.') {
            d.Digits += c;
        }
    }
    d.Exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    return d;
}

std::string ExponentText(int exponent, int expDigits, bool alwaysSign) {
    std::string digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < expDigits) {
        digits.insert(0, static_cast<std::size_t>(expDigits) - digits.size(), '0');
    }
    const char* sign = exponent < 0 ? "-" : (alwaysSign ? "+" : "");
    return "E" + std::string(sign) + digits;
}

std::string NonFiniteText(double value) {
    if (std::isnan(value)) {
        return "NAN";
    }
    return value < 0 ? "-INF" : "INF";
}

void DropTrailingZeros(std::string& digits, std::size_t keep) {
    while (digits.size() > keep && digits.back() == '0') {
        digits.pop_back();
    }
}

std::string Scientific(double value, int precision, int expDigits) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    precision = std::clamp(precision, 1, MaxPrecision);
    expDigits = std::clamp(expDigits, 0, MaxExpDigits);
    TDecimalDigits d = RoundedDigits(std::fabs(value), precision);
    if (value == 0) {
        d.Exponent = 0;
    }
    std::string text = value < 0 ? "-" : "";
    text += d.Digits.substr(0, 1);
    if (d.Digits.size() > 1) {
        text += "." + d.Digits.substr(1);
    }
    return text + ExponentText(d.Exponent, expDigits, true);
}

std::string Fixed(double value, int precision, int digits) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    precision = std::clamp(precision, 1, MaxPrecision);
    digits = std::clamp(digits, 0, MaxPrecision);
    if (value != 0 && RoundedDigits(std::fabs(value), precision).Exponent + 1 > precision) {
        return Scientific(value, precision, digits);
    }
    std::array<char, 400> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                std::chars_format::fixed, digits);
    std::string text(buffer.data(), result.ptr);
    if (text.find_first_not_of("-0.") == std::string::npos && text[0] == '-') {
        text.erase(0, 1); // no sign on a value that rounds to zero
    }
    return text;
}

std::string Prefixed(double value, int precision, int digits) {
    if (value == 0 || !std::isfinite(value)) {
        return Fixed(value, precision, digits);
    }
    int n = static_cast<int>(std::trunc(std::log10(std::fabs(value))));
    if (n >= 15 || n < -18) {
        return Scientific(value, precision, digits);
    }
    TWide mantissa = static_cast<TWide>(value) / RealPower(10, n);
    int k = (n + 18) / 3;
    int r = (n + 18) % 3;
    double shown = static_cast<double>(mantissa * RealPower(10, r));
    return FloatToStrG(shown, precision, digits) + WritePrefixes[static_cast<std::size_t>(k)];
}

} // namespace

std::string FloatToStrG(double value, int precision, int expDigits) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    if (value == 0) {
        return "0";
    }
    precision = std::clamp(precision, 1, MaxPrecision);
    expDigits = std::clamp(expDigits, 0, MaxExpDigits);
    TDecimalDigits d = RoundedDigits(std::fabs(value), precision);
    DropTrailingZeros(d.Digits, 1);
    std::string text = value < 0 ? "-" : "";
    int e = d.Exponent + 1; // value = 0.d1d2... * 10^e
    if (e < -3 || e > precision) {
        text += d.Digits.substr(0, 1);
        if (d.Digits.size() > 1) {
            text += "." + d.Digits.substr(1);
        }
        return text + ExponentText(e - 1, expDigits, false);
    }
    if (e <= 0) {
        return text + "0." + std::string(static_cast<std::size_t>(-e), '0') + d.Digits;
    }
    std::size_t integerDigits = static_cast<std::size_t>(e);
    if (d.Digits.size() <= integerDigits) {
        return text + d.Digits + std::string(integerDigits - d.Digits.size(), '0');
    }
    return text + d.Digits.substr(0, integerDigits) + "." + d.Digits.substr(integerDigits);
}

std::string PrefixedFloatToStrF(double value, int format, int precision, int digits) {
    switch (format) {
    case ffGeneral:
    case ffNumber:
        return FloatToStrG(value, precision, digits);
    case ffExponent:
        return Scientific(value, precision, digits);
    case ffFixed:
        return Fixed(value, precision, digits);
    case ffPrefixed:
        return Prefixed(value, precision, digits);
    default:
        throw ERangeError();
    }
}

} // namespace zaro
