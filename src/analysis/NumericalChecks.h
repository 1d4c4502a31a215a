#pragma once
// Checks shared by the numerical routines: array lengths against n and the
// floating-point faults a hardware unit with enabled exceptions would report.

#include "ZaroErrors.h"

#include <cmath>
#include <vector>

namespace zaro::numerics {

// A negative count is as much out of range as a too-short array.
inline void RequireCount(long long n) {
    if (n < 0) {
        throw ERangeError();
    }
}

// Raises ERangeError unless the array holds at least count entries.
template <class T> void RequireLength(const std::vector<T>& a, long long count) {
    RequireCount(count);
    if (count > 0) {
        CheckIndex(count - 1, static_cast<long long>(a.size()));
    }
}

// Grows an output array to count entries; existing entries beyond stay.
template <class T> void EnsureLength(std::vector<T>& a, long long count) {
    RequireCount(count);
    if (static_cast<long long>(a.size()) < count) {
        a.resize(static_cast<std::size_t>(count));
    }
}

// a / b: 0/0 is an invalid operation, x/0 a division by zero.
inline double CheckedDivide(double a, double b) {
    if (b == 0.0) {
        if (a == 0.0 || std::isnan(a)) {
            throw EInvalidOp();
        }
        throw EZeroDivide();
    }
    return CheckedResult(a / b);
}

// |a| with the sign of b (zero counts as positive).
inline double Sign(double a, double b) {
    return b >= 0.0 ? std::fabs(a) : -std::fabs(a);
}

} // namespace zaro::numerics
