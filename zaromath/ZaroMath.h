#ifndef ZAROMATH_H
#define ZAROMATH_H
/* ZaroMath: complex arithmetic on two-double records, for loading at run time.
 *
 * Every function takes pointers only, writes its result through the last one
 * and returns 0. Inputs are read before the result is written, so the result
 * may alias an input. The library keeps no state; every function is reentrant.
 * A zero divisor (OperatorDivideInto, FunctionTan, FunctionTanH) divides by
 * zero and yields infinities or NaNs; callers check divisors themselves.
 */

#include <stdint.h>

#if defined(_WIN32)
#define ZARO_MATH_API __declspec(dllexport)
#else
#define ZARO_MATH_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct TComplex {
    double re;
    double im;
} TComplex;

ZARO_MATH_API int32_t ZaroMathDllVersion(void);

ZARO_MATH_API int32_t OperatorPlus(const TComplex* x, TComplex* result);
ZARO_MATH_API int32_t OperatorMinus(const TComplex* x, TComplex* result);
ZARO_MATH_API int32_t OperatorAdd(const TComplex* a, const TComplex* b, TComplex* result);
ZARO_MATH_API int32_t OperatorSubtract(const TComplex* a, const TComplex* b, TComplex* result);
ZARO_MATH_API int32_t OperatorTimes(const TComplex* a, const TComplex* b, TComplex* result);
ZARO_MATH_API int32_t OperatorDivideInto(const TComplex* a, const TComplex* b, TComplex* result);

/* Equality compares both parts exactly; the orderings compare squared moduli.
 * The result byte is 1 for true, 0 for false. */
ZARO_MATH_API int32_t OperatorEqual(const TComplex* a, const TComplex* b, uint8_t* result);
ZARO_MATH_API int32_t OperatorNotEqual(const TComplex* a, const TComplex* b, uint8_t* result);
ZARO_MATH_API int32_t OperatorGreater(const TComplex* a, const TComplex* b, uint8_t* result);
ZARO_MATH_API int32_t OperatorLess(const TComplex* a, const TComplex* b, uint8_t* result);
ZARO_MATH_API int32_t OperatorGreaterEqual(const TComplex* a, const TComplex* b, uint8_t* result);
ZARO_MATH_API int32_t OperatorLessEqual(const TComplex* a, const TComplex* b, uint8_t* result);

ZARO_MATH_API int32_t FunctionAbs(const TComplex* x, TComplex* result);
ZARO_MATH_API int32_t FunctionCos(const TComplex* x, TComplex* result);
ZARO_MATH_API int32_t FunctionSin(const TComplex* x, TComplex* result);
ZARO_MATH_API int32_t FunctionTan(const TComplex* x, TComplex* result);
ZARO_MATH_API int32_t FunctionCosH(const TComplex* x, TComplex* result);
ZARO_MATH_API int32_t FunctionSinH(const TComplex* x, TComplex* result);
ZARO_MATH_API int32_t FunctionTanH(const TComplex* x, TComplex* result);
ZARO_MATH_API int32_t FunctionExp(const TComplex* x, TComplex* result);
ZARO_MATH_API int32_t FunctionLn(const TComplex* x, TComplex* result);
ZARO_MATH_API int32_t FunctionLog(const TComplex* x, TComplex* result);
ZARO_MATH_API int32_t FunctionSqrt(const TComplex* x, TComplex* result);
ZARO_MATH_API int32_t FunctionPower(const TComplex* a, const TComplex* b, TComplex* result);

#ifdef __cplusplus
}
#endif

#endif
