#include "CheckedMath.h"

#include "ZaroErrors.h"

#include <cfloat>
#include <cmath>

namespace zaro {

namespace {

constexpr TWide Int64Low = -9223372036854775808.0L; // -2^63
constexpr TWide Int64High = 9223372036854775808.0L; // 2^63, exclusive
constexpr TWide Int32Low = -2147483648.0L;
constexpr TWide Int32High = 2147483647.0L;

void CheckFinite(TWide x) {
    if (std::isnan(x)) {
        throw EInvalidOp();
    }
    if (std::isinf(x)) {
        throw EOverflow();
    }
}

TWide IntegerPower(TWide base, std::uint32_t exponent) {
    TWide result = 1;
    while (exponent != 0) {
        if ((exponent & 1U) != 0) {
            result *= base;
        }
        exponent >>= 1U;
        if (exponent != 0) {
            base *= base;
        }
    }
    return result;
}

} // namespace

double CheckedDouble(TWide value) {
    CheckFinite(value);
    if (std::fabs(value) > static_cast<TWide>(DBL_MAX)) {
        throw EOverflow();
    }
    return static_cast<double>(value);
}

TWide CheckedDivide(TWide l, TWide r) {
    if (r == 0) {
        if (l == 0) {
            throw EInvalidOp();
        }
        throw EZeroDivide();
    }
    TWide q = l / r;
    CheckFinite(q);
    return q;
}

TWide CheckedLn(TWide x) {
    if (x < 0) {
        throw EInvalidOp();
    }
    if (x == 0) {
        throw EZeroDivide();
    }
    return std::log(x);
}

TWide CheckedLog10(TWide x) {
    if (x < 0) {
        throw EInvalidOp();
    }
    if (x == 0) {
        throw EZeroDivide();
    }
    return std::log10(x);
}

TWide CheckedSqrt(TWide x) {
    if (x < 0) {
        throw EInvalidOp();
    }
    return std::sqrt(x);
}

TWide RealPower(TWide l, TWide r) {
    if (r == 0) {
        return 1;
    }
    if (l == 0 && r > 0) {
        return 0;
    }
    if (r == std::trunc(r) && std::fabs(r) <= Int32High) {
        TWide p = IntegerPower(l, static_cast<std::uint32_t>(std::fabs(r)));
        if (r < 0) {
            p = CheckedDivide(1, p);
        }
        CheckFinite(p);
        return p;
    }
    TWide p = std::exp(r * CheckedLn(l));
    CheckFinite(p);
    return p;
}

std::int64_t CheckedTrunc64(TWide x) {
    TWide t = std::trunc(x);
    if (!(t >= Int64Low && t < Int64High)) {
        throw EOverflow();
    }
    return static_cast<std::int64_t>(t);
}

std::int64_t CheckedRoundEven64(TWide x) {
    // The default rounding mode rounds halves to the even neighbour.
    TWide t = std::nearbyint(x);
    if (!(t >= Int64Low && t < Int64High)) {
        throw EOverflow();
    }
    return static_cast<std::int64_t>(t);
}

std::int32_t CheckedFloor32(TWide x) {
    TWide t = std::floor(x);
    if (!(t >= Int32Low && t <= Int32High)) {
        throw EOverflow();
    }
    return static_cast<std::int32_t>(t);
}

std::int32_t CheckedCeil32(TWide x) {
    TWide t = std::ceil(x);
    if (!(t >= Int32Low && t <= Int32High)) {
        throw EOverflow();
    }
    return static_cast<std::int32_t>(t);
}

} // namespace zaro
