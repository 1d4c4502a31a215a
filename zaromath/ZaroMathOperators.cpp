// Version, arithmetic operators and comparisons. Each export copies its inputs
// before writing the result, which may alias an input.

#include "ComplexKernel.h"

using zaromath::Make;
using zaromath::SquaredModulus;
using zaromath::TWide;

namespace {

int32_t StoreFlag(bool value, uint8_t* result) {
    *result = value ? 1 : 0;
    return 0;
}

} // namespace

extern "C" {

int32_t ZaroMathDllVersion(void) {
    return 100;
}

int32_t OperatorPlus(const TComplex* x, TComplex* result) {
    *result = *x;
    return 0;
}

int32_t OperatorMinus(const TComplex* x, TComplex* result) {
    const TComplex v = *x;
    *result = TComplex{-v.re, -v.im};
    return 0;
}

int32_t OperatorAdd(const TComplex* a, const TComplex* b, TComplex* result) {
    const TComplex p = *a;
    const TComplex q = *b;
    *result = TComplex{p.re + q.re, p.im + q.im};
    return 0;
}

int32_t OperatorSubtract(const TComplex* a, const TComplex* b, TComplex* result) {
    const TComplex p = *a;
    const TComplex q = *b;
    *result = TComplex{p.re - q.re, p.im - q.im};
    return 0;
}

int32_t OperatorTimes(const TComplex* a, const TComplex* b, TComplex* result) {
    const TComplex p = *a;
    const TComplex q = *b;
    *result = Make(static_cast<TWide>(p.re) * q.re - static_cast<TWide>(p.im) * q.im,
                   static_cast<TWide>(q.re) * p.im + static_cast<TWide>(p.re) * q.im);
    return 0;
}

int32_t OperatorDivideInto(const TComplex* a, const TComplex* b, TComplex* result) {
    *result = zaromath::Quotient(*a, *b);
    return 0;
}

int32_t OperatorEqual(const TComplex* a, const TComplex* b, uint8_t* result) {
    return StoreFlag(a->re == b->re && a->im == b->im, result);
}

int32_t OperatorNotEqual(const TComplex* a, const TComplex* b, uint8_t* result) {
    return StoreFlag(a->re != b->re || a->im != b->im, result);
}

int32_t OperatorGreater(const TComplex* a, const TComplex* b, uint8_t* result) {
    return StoreFlag(SquaredModulus(*a) > SquaredModulus(*b), result);
}

int32_t OperatorLess(const TComplex* a, const TComplex* b, uint8_t* result) {
    return StoreFlag(SquaredModulus(*a) < SquaredModulus(*b), result);
}

int32_t OperatorGreaterEqual(const TComplex* a, const TComplex* b, uint8_t* result) {
    return StoreFlag(SquaredModulus(*a) >= SquaredModulus(*b), result);
}

int32_t OperatorLessEqual(const TComplex* a, const TComplex* b, uint8_t* result) {
    return StoreFlag(SquaredModulus(*a) <= SquaredModulus(*b), result);
}

} // extern "C"
