#pragma once
// Numbers as engineers type them (4.7K, 100M, 2.2U, 1E-3, 10MG) and their text forms.
// "M" is milli; mega is written "MG"; "DG" turns degrees into radians.

#include "EConvertError.h"

#include <span>
#include <string>
#include <string_view>

namespace zaro {

// The plain decimal reader: optional blanks, sign, digits with an optional "." and
// fraction, an optional exponent, optional blanks, nothing else. Raises EConvertError
// "'<text>' は浮動小数点数ではありません" otherwise, EOverflow beyond the double range.
double PlainStrToFloat(std::string_view text);

// One number with an optional prefix letter group; everything from the prefix on is
// ignored (10KOHM is 10000). No exponent handling of its own.
double PrefixedStrToFloat(std::string_view text);

// A prefixed number with an optional exponent ("E", itself prefixed and not necessarily
// whole). Returns false with value 0 for the empty text or a text whose first
// character is not "+", "-", "." or a digit; malformed number parts still raise the
// plain reader's EConvertError.
bool TryPrefixedStrToFloat(std::string_view text, double& value);

// TryPrefixedStrToFloat that raises EConvertError "ZaroStrToFloat: Not a number."
// instead of returning false.
double ZaroStrToFloat(std::string_view text);

// The general number format G(P): the text form of every double the program writes.
// Rounded to `precision` significant digits, fixed notation without trailing zeros
// when the decimal exponent e (value = 0.d1d2... * 10^e) is within -3..precision,
// otherwise d1[.d2...]E<e-1> with at least `expDigits` exponent digits.
std::string FloatToStrG(double value, int precision = 15, int expDigits = 0);

// Number formats of PrefixedFloatToStrF.
enum TFloatFormat : int {
    ffGeneral = 0,
    ffExponent = 1,
    ffFixed = 2,
    ffPrefixed = 3, // general format of the mantissa followed by a prefix letter group
    ffNumber = 4,   // same as general
};

// Formats value in format 0..4 (other formats raise ERangeError). The program's
// meters all use format 3, precision 4, digits 2: 4700 gives 4.7K, 0.0047 gives 4.7M.
std::string PrefixedFloatToStrF(double value, int format, int precision, int digits);

// Smallest i with x < thresholds[i]; the last index when there is none.
// Raises ERangeError for an empty table.
int ThresholdIndex(std::span<const double> thresholds, double x);

} // namespace zaro
