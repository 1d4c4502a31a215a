// The prefix operations: signs, logical not and the functions.

#include "CheckedMath.h"
#include "Operations.h"
#include "ZaroErrors.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>

namespace zaro {

namespace {

constexpr TWide Pi = 3.141592653589793238462643383279502884L;
constexpr TWide TwoPi = 2 * Pi;

using TPrefixFunction = TWide (*)(TWide x, const TTerm& operand, TEvalContext& context);

TWide ArcSin(TWide x) {
    return std::atan2(x, CheckedSqrt(1 - x * x));
}
TWide ArcCos(TWide x) {
    return std::atan2(CheckedSqrt(1 - x * x), x);
}
TWide ArcCosh(TWide x) {
    return x <= 1 ? 0 : std::acosh(x);
}

TWide ArcTanh(TWide x) {
    if (std::fabs(x) >= 1) {
        throw EOverflow();
    }
    return std::atanh(x);
}

TWide Sum(TWide x, const TTerm& operand) {
    TWide sum = x;
    for (double arg : operand.Args) {
        sum += arg;
    }
    return sum;
}

TWide Mean(TWide x, const TTerm& operand) {
    return Sum(x, operand) / (operand.ArgCount() + 1);
}

template <typename TPick> TWide Extreme(TWide x, const TTerm& operand, TPick pick) {
    TWide best = x;
    for (double arg : operand.Args) {
        best = pick(best, static_cast<TWide>(arg));
    }
    return best;
}

enum class TReactance { Cap, Ind, ACap, AInd };

// With extra arguments the value is the one before the last and the frequency the
// last; earlier ones are ignored. Without, the operand is the value and the frequency
// comes from the _F or _FREQ line; the result is 0 when there is neither.
TWide Reactance(TReactance kind, TWide x, const TTerm& operand, TEvalContext& context) {
    TWide value = x;
    TWide frequency = x;
    if (operand.ArgCount() > 0) {
        value = operand.Arg(operand.ArgCount() - 1);
    } else {
        std::optional<double> f = context.FirstVariableValue({"_F", "_FREQ"});
        if (!f) {
            return 0;
        }
        frequency = *f;
    }
    switch (kind) {
    case TReactance::Cap:
    case TReactance::ACap:
        return CheckedDivide(-1, TwoPi * value * frequency);
    case TReactance::Ind:
        return TwoPi * value * frequency;
    case TReactance::AInd:
        return CheckedDivide(value, TwoPi * frequency);
    }
    return 0;
}

const std::unordered_map<std::string_view, TPrefixFunction>& PrefixTable() {
    static const std::unordered_map<std::string_view, TPrefixFunction> table{
        {"+", [](TWide x, const TTerm&, TEvalContext&) { return x; }},
        {"-", [](TWide x, const TTerm&, TEvalContext&) { return -x; }},
        {"!", [](TWide x, const TTerm&, TEvalContext&) -> TWide { return x == 0 ? 1 : 0; }},
        {"TRUNC", [](TWide x, const TTerm&, TEvalContext&) -> TWide { return CheckedTrunc64(x); }},
        {"CEIL", [](TWide x, const TTerm&, TEvalContext&) -> TWide { return CheckedCeil32(x); }},
        {"FLOOR", [](TWide x, const TTerm&, TEvalContext&) -> TWide { return CheckedFloor32(x); }},
        {"FRAC", [](TWide x, const TTerm&, TEvalContext&) { return x - std::trunc(x); }},
        {"ROUND",
         [](TWide x, const TTerm&, TEvalContext&) -> TWide { return CheckedRoundEven64(x); }},
        {"ABS", [](TWide x, const TTerm&, TEvalContext&) { return std::fabs(x); }},
        {"EXP", [](TWide x, const TTerm&, TEvalContext&) { return std::exp(x); }},
        {"LN", [](TWide x, const TTerm&, TEvalContext&) { return CheckedLn(x); }},
        {"LOG", [](TWide x, const TTerm&, TEvalContext&) { return CheckedLog10(x); }},
        {"SQRT", [](TWide x, const TTerm&, TEvalContext&) { return CheckedSqrt(x); }},
        {"SIN", [](TWide x, const TTerm&, TEvalContext&) { return std::sin(x); }},
        {"COS", [](TWide x, const TTerm&, TEvalContext&) { return std::cos(x); }},
        {"TAN", [](TWide x, const TTerm&, TEvalContext&) { return std::tan(x); }},
        {"SINH", [](TWide x, const TTerm&, TEvalContext&) { return std::sinh(x); }},
        {"COSH", [](TWide x, const TTerm&, TEvalContext&) { return std::cosh(x); }},
        {"TANH", [](TWide x, const TTerm&, TEvalContext&) { return std::tanh(x); }},
        {"ARCSIN", [](TWide x, const TTerm&, TEvalContext&) { return ArcSin(x); }},
        {"ARCCOS", [](TWide x, const TTerm&, TEvalContext&) { return ArcCos(x); }},
        {"ARCTAN", [](TWide x, const TTerm&, TEvalContext&) { return std::atan(x); }},
        {"ARCSINH", [](TWide x, const TTerm&, TEvalContext&) { return std::asinh(x); }},
        {"ARCCOSH", [](TWide x, const TTerm&, TEvalContext&) { return ArcCosh(x); }},
        {"ARCTANH", [](TWide x, const TTerm&, TEvalContext&) { return ArcTanh(x); }},
        {"RADTODEG", [](TWide x, const TTerm&, TEvalContext&) { return x * 360 / 2 / Pi; }},
        {"DEGTORAD", [](TWide x, const TTerm&, TEvalContext&) { return x * 2 * Pi / 360; }},
        {"CAP", [](TWide x, const TTerm& t,
                   TEvalContext& c) { return Reactance(TReactance::Cap, x, t, c); }},
        {"IND", [](TWide x, const TTerm& t,
                   TEvalContext& c) { return Reactance(TReactance::Ind, x, t, c); }},
        {"ACAP", [](TWide x, const TTerm& t,
                    TEvalContext& c) { return Reactance(TReactance::ACap, x, t, c); }},
        {"AIND", [](TWide x, const TTerm& t,
                    TEvalContext& c) { return Reactance(TReactance::AInd, x, t, c); }},
        {"DB", [](TWide x, const TTerm&, TEvalContext&) { return 10 * CheckedLog10(x); }},
        {"DB2", [](TWide x, const TTerm&, TEvalContext&) { return 20 * CheckedLog10(x); }},
        {"ADB", [](TWide x, const TTerm&, TEvalContext&) { return RealPower(10, x / 10); }},
        {"ADB2", [](TWide x, const TTerm&, TEvalContext&) { return RealPower(10, x / 20); }},
        {"SUM", [](TWide x, const TTerm& t, TEvalContext&) { return Sum(x, t); }},
        {"MEAN", [](TWide x, const TTerm& t, TEvalContext&) { return Mean(x, t); }},
        {"MAX",
         [](TWide x, const TTerm& t, TEvalContext&) {
             return Extreme(x, t, [](TWide a, TWide b) { return std::max(a, b); });
         }},
        {"MIN",
         [](TWide x, const TTerm& t, TEvalContext&) {
             return Extreme(x, t, [](TWide a, TWide b) { return std::min(a, b); });
         }},
    };
    return table;
}

} // namespace

double ApplyPrefix(std::string_view symbol, const TTerm& operand, TEvalContext& context) {
    const auto& table = PrefixTable();
    auto found = table.find(symbol);
    if (found == table.end()) {
        return 0;
    }
    return CheckedDouble(found->second(operand.Value, operand, context));
}

} // namespace zaro
