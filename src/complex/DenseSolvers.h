#pragma once
// Dense in-place solvers for A·x = b: Gaussian elimination with row exchanges,
// each pivot row normalised, then back substitution.
//
// A is row-major, element (i, j) at i·n + j; only its first n·n entries are
// used. b holds the right-hand side and, on return, the solution. Both arrays
// are overwritten; A is left partly reduced.
//
// Pivot rule: for column k the pivot is the last row below k whose entry
// exceeds the current diagonal entry in magnitude (|z| for doubles, the squared
// modulus for complex values) — not necessarily the largest one.
//
// Errors: n < 0 or an array shorter than n·n / n raises ERangeError before
// anything is touched. An exactly zero pivot raises EZeroDivide (EInvalidOp
// when the first value it would divide is zero as well); a value that becomes
// NaN or infinite raises EInvalidOp or EOverflow. After a math error b holds
// partial results.

#include "ZaroMathImport.h"

#include <cstdint>
#include <span>

namespace zaro {

void SolveRealLinear(std::span<double> a, std::span<double> b, std::int32_t n);

// Every complex division, product and difference goes through the typed
// operations of the ZaroMath binding, which must be loaded.
void SolveComplexLinear(std::span<TComplex> a, std::span<TComplex> b, std::int32_t n);

} // namespace zaro
