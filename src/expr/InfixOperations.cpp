// The infix operations: arithmetic, comparisons, logic, argument lists, assignment.

#include "CheckedMath.h"
#include "Operations.h"
#include "ZaroErrors.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <unordered_map>

namespace zaro {

namespace {

using TInfixFunction = TWide (*)(TWide l, TWide r, TTerm& left, TEvalContext& context);

TWide Truth(bool condition) {
    return condition ? 1 : 0;
}

// Whole-number division of the truncated operands, the quotient truncated toward zero.
TWide IntegerDivide(TWide l, TWide r) {
    std::int64_t dividend = CheckedTrunc64(l);
    std::int64_t divisor = CheckedTrunc64(r);
    if (divisor == 0) {
        throw EZeroDivide();
    }
    if (dividend == std::numeric_limits<std::int64_t>::min() && divisor == -1) {
        throw EOverflow();
    }
    return static_cast<TWide>(dividend / divisor);
}

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || c == '_';
}

// Stores the right value under the left term's name when there is a list to store it
// in; otherwise the term keeps its own value.
TWide Assign(TWide l, TWide r, const TTerm& left, TEvalContext& context) {
    if (!context.HasVariables() || left.Text.empty() || !IsNameStart(left.Text[0])) {
        return l;
    }
    context.Assign(left.Text, static_cast<double>(r));
    return r;
}

TWide Gather(TWide l, TWide r, TTerm& left) {
    left.AddArg(static_cast<double>(l));
    return r;
}

// The product is taken in double, so tiny values whose product underflows count as 0.
TWide LogicalAnd(TWide l, TWide r) {
    return Truth(static_cast<double>(l) * static_cast<double>(r) != 0);
}

const std::unordered_map<std::string_view, TInfixFunction>& InfixTable() {
    static const std::unordered_map<std::string_view, TInfixFunction> table{
        {"+", [](TWide l, TWide r, TTerm&, TEvalContext&) { return l + r; }},
        {"-", [](TWide l, TWide r, TTerm&, TEvalContext&) { return l - r; }},
        {"*", [](TWide l, TWide r, TTerm&, TEvalContext&) { return l * r; }},
        {"/", [](TWide l, TWide r, TTerm&, TEvalContext&) { return CheckedDivide(l, r); }},
        {"%",
         [](TWide l, TWide r, TTerm&, TEvalContext&) { return std::trunc(CheckedDivide(l, r)); }},
        {"#", [](TWide l, TWide r, TTerm&, TEvalContext&) { return IntegerDivide(l, r); }},
        {"^", [](TWide l, TWide r, TTerm&, TEvalContext&) { return RealPower(l, r); }},
        {"//", [](TWide l, TWide r, TTerm&, TEvalContext&) { return CheckedDivide(l * r, l + r); }},
        {"\\\\",
         [](TWide l, TWide r, TTerm&, TEvalContext&) { return CheckedDivide(l * r, r - l); }},
        {"==", [](TWide l, TWide r, TTerm&, TEvalContext&) { return Truth(l == r); }},
        {"!=", [](TWide l, TWide r, TTerm&, TEvalContext&) { return Truth(l != r); }},
        {">", [](TWide l, TWide r, TTerm&, TEvalContext&) { return Truth(l > r); }},
        {">=", [](TWide l, TWide r, TTerm&, TEvalContext&) { return Truth(l >= r); }},
        {"<", [](TWide l, TWide r, TTerm&, TEvalContext&) { return Truth(l < r); }},
        {"<=", [](TWide l, TWide r, TTerm&, TEvalContext&) { return Truth(l <= r); }},
        {"&", [](TWide l, TWide r, TTerm&, TEvalContext&) { return LogicalAnd(l, r); }},
        {"|", [](TWide l, TWide r, TTerm&, TEvalContext&) { return Truth(l != 0 || r != 0); }},
        {",", [](TWide l, TWide r, TTerm& left, TEvalContext&) { return Gather(l, r, left); }},
        {":=",
         [](TWide l, TWide r, TTerm& left, TEvalContext& c) { return Assign(l, r, left, c); }},
    };
    return table;
}

} // namespace

double ApplyInfix(std::string_view symbol, TTerm& left, double right, TEvalContext& context) {
    const auto& table = InfixTable();
    auto found = table.find(symbol);
    if (found == table.end()) {
        return left.Value;
    }
    return CheckedDouble(found->second(left.Value, right, left, context));
}

} // namespace zaro
