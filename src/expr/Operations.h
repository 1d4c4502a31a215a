#pragma once
// What every operator and function of the table computes. A prefix operation gets the
// operand term (its value and extra arguments), an infix operation the left term
// (which survives and takes the result) and the right value. Results are checked:
// floating-point faults raise EMathError subclasses.

#include "EvalContext.h"
#include "Term.h"

#include <string_view>

namespace zaro {

// Result of the prefix operation symbol on the operand; 0 for a symbol without a prefix
// meaning (for example a leading "*").
double ApplyPrefix(std::string_view symbol, const TTerm& operand, TEvalContext& context);

// Result of left symbol right; the left value for a symbol without an infix meaning.
// "," also appends the left value to the left term's extra arguments.
double ApplyInfix(std::string_view symbol, TTerm& left, double right, TEvalContext& context);

} // namespace zaro
