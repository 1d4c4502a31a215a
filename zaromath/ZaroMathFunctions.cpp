// Elementary complex functions, built from the C runtime's real functions.
// Domain and range errors give the runtime's values (for instance -inf for
// the logarithm of zero); nothing is raised.

#include "ComplexKernel.h"

#include <cmath>

using zaromath::Argument;
using zaromath::Make;
using zaromath::Modulus;
using zaromath::TWide;

namespace {

TComplex Cos(const TComplex& x) {
    return Make(static_cast<TWide>(std::cos(x.re)) * std::cosh(x.im),
                -static_cast<TWide>(std::sin(x.re)) * std::sinh(x.im));
}

TComplex Sin(const TComplex& x) {
    return Make(static_cast<TWide>(std::sin(x.re)) * std::cosh(x.im),
                static_cast<TWide>(std::cos(x.re)) * std::sinh(x.im));
}

TComplex CosH(const TComplex& x) {
    return Make(static_cast<TWide>(std::cosh(x.re)) * std::cos(x.im),
                static_cast<TWide>(std::sinh(x.re)) * std::sin(x.im));
}

TComplex SinH(const TComplex& x) {
    return Make(static_cast<TWide>(std::sinh(x.re)) * std::cos(x.im),
                static_cast<TWide>(std::cosh(x.re)) * std::sin(x.im));
}

TComplex Power(const TComplex& a, const TComplex& b) {
    if (zaromath::IsZero(a)) {
        return TComplex{zaromath::IsZero(b) ? 1.0 : 0.0, 0.0};
    }
    const double r = Modulus(a);
    const double theta = Argument(a);
    const TWide m = static_cast<TWide>(std::pow(r, b.re)) * std::exp(-b.im * theta);
    const double phi = static_cast<double>(static_cast<TWide>(b.im) * std::log(r) +
                                           static_cast<TWide>(theta) * b.re);
    return Make(m * std::cos(phi), m * std::sin(phi));
}

// Stores f(*x) after the input has been read in full.
template <typename F> int32_t Apply(const TComplex* x, TComplex* result, F f) {
    const TComplex v = *x;
    *result = f(v);
    return 0;
}

} // namespace

extern "C" {

int32_t FunctionAbs(const TComplex* x, TComplex* result) {
    return Apply(x, result, [](const TComplex& v) { return TComplex{Modulus(v), 0.0}; });
}

int32_t FunctionCos(const TComplex* x, TComplex* result) {
    return Apply(x, result, Cos);
}

int32_t FunctionSin(const TComplex* x, TComplex* result) {
    return Apply(x, result, Sin);
}

int32_t FunctionTan(const TComplex* x, TComplex* result) {
    return Apply(x, result, [](const TComplex& v) { return zaromath::Quotient(Sin(v), Cos(v)); });
}

int32_t FunctionCosH(const TComplex* x, TComplex* result) {
    return Apply(x, result, CosH);
}

int32_t FunctionSinH(const TComplex* x, TComplex* result) {
    return Apply(x, result, SinH);
}

int32_t FunctionTanH(const TComplex* x, TComplex* result) {
    return Apply(x, result, [](const TComplex& v) { return zaromath::Quotient(SinH(v), CosH(v)); });
}

int32_t FunctionExp(const TComplex* x, TComplex* result) {
    return Apply(x, result, [](const TComplex& v) {
        const TWide e = std::exp(v.re);
        return Make(e * std::cos(v.im), e * std::sin(v.im));
    });
}

int32_t FunctionLn(const TComplex* x, TComplex* result) {
    return Apply(x, result, [](const TComplex& v) {
        return TComplex{std::log(Modulus(v)), Argument(v)};
    });
}

int32_t FunctionLog(const TComplex* x, TComplex* result) {
    return Apply(x, result, [](const TComplex& v) {
        const TWide c = std::log10(std::exp(1.0));
        return Make(c * std::log(Modulus(v)), c * Argument(v));
    });
}

int32_t FunctionSqrt(const TComplex* x, TComplex* result) {
    return Apply(x, result, [](const TComplex& v) {
        const TWide r = std::sqrt(Modulus(v));
        const double h = Argument(v) / 2.0;
        return Make(r * std::cos(h), r * std::sin(h));
    });
}

int32_t FunctionPower(const TComplex* a, const TComplex* b, TComplex* result) {
    const TComplex base = *a;
    const TComplex exponent = *b;
    *result = Power(base, exponent);
    return 0;
}

} // extern "C"
