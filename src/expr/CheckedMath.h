#pragma once
// Real arithmetic of the evaluator with every floating-point fault detected by an
// explicit check: division by zero raises EZeroDivide, an invalid operation
// EInvalidOp, a result beyond the double range EOverflow. Intermediates are held in
// long double, the widest type available.

#include <cstdint>

namespace zaro {

using TWide = long double;

// Stores an intermediate as a double; NaN is invalid, beyond the range an overflow.
double CheckedDouble(TWide value);

TWide CheckedDivide(TWide l, TWide r);
TWide CheckedLn(TWide x);
TWide CheckedLog10(TWide x);
TWide CheckedSqrt(TWide x);

// l^r: 1 for r = 0; 0 for l = 0 and r > 0; repeated squaring for whole r up to
// 2147483647 in magnitude; e^(r ln l) otherwise (a negative base is then invalid).
TWide RealPower(TWide l, TWide r);

// Whole-number conversions; arguments beyond the target range overflow.
std::int64_t CheckedTrunc64(TWide x);
std::int64_t CheckedRoundEven64(TWide x);
std::int32_t CheckedFloor32(TWide x);
std::int32_t CheckedCeil32(TWide x);

} // namespace zaro
