#pragma once
// Arithmetic shared by the exports. Sums and products are formed in extended
// precision (long double) and rounded to double only when stored, so an
// intermediate such as the squared modulus of 1e200 does not overflow.

#include "ZaroMath.h"

#include <cmath>

namespace zaromath {

using TWide = long double;

inline TWide SquaredModulus(const TComplex& z) {
    return static_cast<TWide>(z.re) * z.re + static_cast<TWide>(z.im) * z.im;
}

inline double Modulus(const TComplex& z) {
    return static_cast<double>(std::sqrt(SquaredModulus(z)));
}

inline bool IsZero(const TComplex& z) {
    return z.re == 0.0 && z.im == 0.0;
}

// The argument of z; zero for z = 0 without asking atan2.
inline double Argument(const TComplex& z) {
    return IsZero(z) ? 0.0 : std::atan2(z.im, z.re);
}

inline TComplex Make(TWide re, TWide im) {
    return TComplex{static_cast<double>(re), static_cast<double>(im)};
}

// a / b by the textbook formula; a zero b divides by zero (inf or NaN parts).
inline TComplex Quotient(const TComplex& a, const TComplex& b) {
    const TWide d = SquaredModulus(b);
    const TWide re = static_cast<TWide>(a.re) * b.re + static_cast<TWide>(a.im) * b.im;
    const TWide im = static_cast<TWide>(b.re) * a.im - static_cast<TWide>(a.re) * b.im;
    return Make(re / d, im / d);
}

} // namespace zaromath
