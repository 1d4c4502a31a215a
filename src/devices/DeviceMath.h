#pragma once
// Floating-point steps of the device formulas, checked the way the rest of
// the program checks them: a fault raises the math error instead of leaving
// an infinity or NaN in a device value.

#include "ZaroErrors.h"

#include <cmath>

namespace zaro {

// a / b; a zero divisor raises EZeroDivide (EInvalidOp for 0 / 0).
inline double CheckedDivide(double a, double b) {
    if (b == 0.0) {
        if (a == 0.0) {
            throw EInvalidOp();
        }
        throw EZeroDivide();
    }
    return CheckedResult(a / b);
}

// exp(x); an overflow raises EOverflow.
inline double CheckedExp(double x) {
    return CheckedResult(std::exp(x));
}

// ln(x); x <= 0 raises EInvalidOp.
inline double CheckedLn(double x) {
    if (!(x > 0.0)) {
        throw EInvalidOp();
    }
    return CheckedResult(std::log(x));
}

} // namespace zaro
