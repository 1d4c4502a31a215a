// Every one of the 25 ZaroMath exports, called through the binding's table:
// results, status 0, and the same result when the output aliases an input.

#include "ZaroMathImport.h"
#include "ZaroMathTestEnvironment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <ostream>
#include <string>

namespace zaro {
namespace {

using std::numbers::pi;
const double Inf = std::numeric_limits<double>::infinity();

TComplex Zaro(const std::complex<double>& z) {
    return {z.real(), z.imag()};
}

// Relative tolerance; 0 asks for the exact value, infinities must match exactly.
void ExpectPart(double actual, double expected, double tolerance, const char* part) {
    if (std::isinf(expected) || tolerance == 0.0) {
        EXPECT_EQ(actual, expected) << part;
    } else {
        EXPECT_NEAR(actual, expected, tolerance * std::max(1.0, std::fabs(expected))) << part;
    }
}

void ExpectComplex(const TComplex& actual, const TComplex& expected, double tolerance) {
    ExpectPart(actual.re, expected.re, tolerance, "re");
    ExpectPart(actual.im, expected.im, tolerance, "im");
}

constexpr double Close = 1e-14;

TEST(ZaroMathExports, EveryEntryPointIsBoundAndVersionIs100) {
    const TZaroMathTable& table = ZaroMathTable();
    int bound = 0;
#define ZARO_COUNT_BOUND(shape, name)                                                              \
    EXPECT_NE(table.name, nullptr) << #name;                                                       \
    bound += table.name != nullptr;
    ZARO_MATH_ENTRY_POINTS(ZARO_COUNT_BOUND)
#undef ZARO_COUNT_BOUND
    EXPECT_EQ(bound, 25);
    EXPECT_EQ(table.ZaroMathDllVersion(), 100);
}

struct TUnaryCase {
    const char* Name;
    TZaroUnaryFunc TZaroMathTable::*Entry;
    TComplex X;
    TComplex Expected;
    double Tolerance;
};

std::ostream& operator<<(std::ostream& out, const TUnaryCase& c) {
    return out << c.Name;
}

class UnaryExport : public ::testing::TestWithParam<TUnaryCase> {};

TEST_P(UnaryExport, ComputesAndAllowsAliasing) {
    const TUnaryCase& c = GetParam();
    const TZaroUnaryFunc f = ZaroMathTable().*c.Entry;
    ASSERT_NE(f, nullptr);
    TComplex result{-7.0, -7.0};
    EXPECT_EQ(f(&c.X, &result), 0);
    ExpectComplex(result, c.Expected, c.Tolerance);

    TComplex inPlace = c.X;
    EXPECT_EQ(f(&inPlace, &inPlace), 0);
    ExpectComplex(inPlace, result, 0.0);
}

const std::complex<double> Z(0.5, -1.25);

INSTANTIATE_TEST_SUITE_P(
    Table, UnaryExport,
    ::testing::Values(
        TUnaryCase{"PlusKeepsValue", &TZaroMathTable::OperatorPlus, {1.5, -2}, {1.5, -2}, 0},
        TUnaryCase{"MinusNegatesBoth", &TZaroMathTable::OperatorMinus, {1.5, -2}, {-1.5, 2}, 0},
        TUnaryCase{"Abs345", &TZaroMathTable::FunctionAbs, {3, -4}, {5, 0}, 0},
        TUnaryCase{"AbsHugeDoesNotOverflow",
                   &TZaroMathTable::FunctionAbs,
                   {3e200, 4e200},
                   {5e200, 0},
                   Close},
        TUnaryCase{"Cos", &TZaroMathTable::FunctionCos, Zaro(Z), Zaro(std::cos(Z)), Close},
        TUnaryCase{"Sin", &TZaroMathTable::FunctionSin, Zaro(Z), Zaro(std::sin(Z)), Close},
        TUnaryCase{"Tan", &TZaroMathTable::FunctionTan, Zaro(Z), Zaro(std::tan(Z)), Close},
        TUnaryCase{"CosH", &TZaroMathTable::FunctionCosH, Zaro(Z), Zaro(std::cosh(Z)), Close},
        TUnaryCase{"SinH", &TZaroMathTable::FunctionSinH, Zaro(Z), Zaro(std::sinh(Z)), Close},
        TUnaryCase{"TanH", &TZaroMathTable::FunctionTanH, Zaro(Z), Zaro(std::tanh(Z)), Close},
        TUnaryCase{"Exp", &TZaroMathTable::FunctionExp, Zaro(Z), Zaro(std::exp(Z)), Close},
        TUnaryCase{"LnOfOne", &TZaroMathTable::FunctionLn, {1, 0}, {0, 0}, 0},
        TUnaryCase{"LnOfMinusOne", &TZaroMathTable::FunctionLn, {-1, 0}, {0, pi}, Close},
        TUnaryCase{"LnOfZero", &TZaroMathTable::FunctionLn, {0, 0}, {-Inf, 0}, 0},
        TUnaryCase{"Ln", &TZaroMathTable::FunctionLn, Zaro(Z), Zaro(std::log(Z)), Close},
        TUnaryCase{"LogOfHundred", &TZaroMathTable::FunctionLog, {100, 0}, {2, 0}, Close},
        TUnaryCase{"LogOfMinusTen",
                   &TZaroMathTable::FunctionLog,
                   {-10, 0},
                   {1, pi / std::log(10.0)},
                   Close},
        TUnaryCase{"Log", &TZaroMathTable::FunctionLog, Zaro(Z), Zaro(std::log10(Z)), Close},
        TUnaryCase{
            "SqrtOfMinusFourIsPrincipal", &TZaroMathTable::FunctionSqrt, {-4, 0}, {0, 2}, Close},
        TUnaryCase{"SqrtOfZero", &TZaroMathTable::FunctionSqrt, {0, 0}, {0, 0}, 0},
        TUnaryCase{"Sqrt", &TZaroMathTable::FunctionSqrt, Zaro(Z), Zaro(std::sqrt(Z)), Close}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TBinaryCase {
    const char* Name;
    TZaroBinaryFunc TZaroMathTable::*Entry;
    TComplex A;
    TComplex B;
    TComplex Expected;
    double Tolerance;
};

std::ostream& operator<<(std::ostream& out, const TBinaryCase& c) {
    return out << c.Name;
}

class BinaryExport : public ::testing::TestWithParam<TBinaryCase> {};

TEST_P(BinaryExport, ComputesAndAllowsAliasing) {
    const TBinaryCase& c = GetParam();
    const TZaroBinaryFunc f = ZaroMathTable().*c.Entry;
    ASSERT_NE(f, nullptr);
    TComplex result{-7.0, -7.0};
    EXPECT_EQ(f(&c.A, &c.B, &result), 0);
    ExpectComplex(result, c.Expected, c.Tolerance);

    TComplex first = c.A;
    EXPECT_EQ(f(&first, &c.B, &first), 0);
    ExpectComplex(first, result, 0.0);
    TComplex second = c.B;
    EXPECT_EQ(f(&c.A, &second, &second), 0);
    ExpectComplex(second, result, 0.0);
}

const std::complex<double> P(1.0, 1.0);
const std::complex<double> Q(0.5, -0.3);

INSTANTIATE_TEST_SUITE_P(
    Table, BinaryExport,
    ::testing::Values(
        TBinaryCase{"Add", &TZaroMathTable::OperatorAdd, {1, 2}, {3, -4}, {4, -2}, 0},
        TBinaryCase{"Subtract", &TZaroMathTable::OperatorSubtract, {1, 2}, {3, -4}, {-2, 6}, 0},
        TBinaryCase{"Times", &TZaroMathTable::OperatorTimes, {1, 2}, {3, -4}, {11, 2}, 0},
        TBinaryCase{"DivideByI", &TZaroMathTable::OperatorDivideInto, {1, 0}, {0, 1}, {0, -1}, 0},
        TBinaryCase{"Divide", &TZaroMathTable::OperatorDivideInto, {11, 2}, {3, -4}, {1, 2}, Close},
        TBinaryCase{"DivideByTinyStaysFinite",
                    &TZaroMathTable::OperatorDivideInto,
                    {1, 0},
                    {1e-200, 0},
                    {1e200, 0},
                    Close},
        TBinaryCase{
            "PowerZeroToZeroIsOne", &TZaroMathTable::FunctionPower, {0, 0}, {0, 0}, {1, 0}, 0},
        TBinaryCase{"PowerZeroToNegativeIsZero",
                    &TZaroMathTable::FunctionPower,
                    {0, 0},
                    {-1, 0},
                    {0, 0},
                    0},
        TBinaryCase{
            "PowerZeroToComplexIsZero", &TZaroMathTable::FunctionPower, {0, 0}, {2, 3}, {0, 0}, 0},
        TBinaryCase{"PowerTwoCubed", &TZaroMathTable::FunctionPower, {2, 0}, {3, 0}, {8, 0}, Close},
        TBinaryCase{"PowerIToTheI",
                    &TZaroMathTable::FunctionPower,
                    {0, 1},
                    {0, 1},
                    {std::exp(-pi / 2), 0},
                    Close},
        TBinaryCase{"Power", &TZaroMathTable::FunctionPower, Zaro(P), Zaro(Q), Zaro(std::pow(P, Q)),
                    Close}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ZaroMathExports, ZeroDivisorYieldsNonFiniteValuesWithoutTrapping) {
    const TComplex zero{0, 0};
    const TComplex one{1, 0};
    TComplex result{};
    EXPECT_EQ(ZaroMathTable().OperatorDivideInto(&one, &zero, &result), 0);
    EXPECT_FALSE(std::isfinite(result.re));
    const TComplex halfPi{pi / 2, 0};
    EXPECT_EQ(ZaroMathTable().FunctionTanH(&zero, &result), 0); // cosh(0) is 1: fine
    EXPECT_EQ(result, zero);
    EXPECT_EQ(ZaroMathTable().FunctionTan(&halfPi, &result), 0);
    EXPECT_GT(result.re, 1e15); // cos(pi/2) is not exactly zero in doubles
}

struct TCompareCase {
    const char* Name;
    TZaroCompareFunc TZaroMathTable::*Entry;
    TComplex A;
    TComplex B;
    bool Expected;
};

std::ostream& operator<<(std::ostream& out, const TCompareCase& c) {
    return out << c.Name;
}

class CompareExport : public ::testing::TestWithParam<TCompareCase> {};

TEST_P(CompareExport, WritesOneOrZero) {
    const TCompareCase& c = GetParam();
    const TZaroCompareFunc f = ZaroMathTable().*c.Entry;
    ASSERT_NE(f, nullptr);
    std::uint8_t result = 0x55;
    EXPECT_EQ(f(&c.A, &c.B, &result), 0);
    EXPECT_EQ(result, c.Expected ? 1 : 0);
}

using T = TZaroMathTable;
INSTANTIATE_TEST_SUITE_P(
    Table, CompareExport,
    ::testing::Values(
        TCompareCase{"EqualSignedZeros", &T::OperatorEqual, {1, 0}, {1, -0.0}, true},
        TCompareCase{"EqualIsExact", &T::OperatorEqual, {1, 2}, {1, 2.0000000001}, false},
        TCompareCase{"EqualNeedsBothParts", &T::OperatorEqual, {1, 2}, {2, 1}, false},
        TCompareCase{"NotEqualSignedZeros", &T::OperatorNotEqual, {1, 0}, {1, -0.0}, false},
        TCompareCase{"NotEqualImaginaryOnly", &T::OperatorNotEqual, {1, 2}, {1, 3}, true},
        TCompareCase{"GreaterEqualModulusIsFalse", &T::OperatorGreater, {3, 4}, {5, 0}, false},
        TCompareCase{"LessEqualModulusIsFalse", &T::OperatorLess, {3, 4}, {5, 0}, false},
        TCompareCase{"GreaterEqualOnEqualModulus", &T::OperatorGreaterEqual, {3, 4}, {5, 0}, true},
        TCompareCase{"LessEqualOnEqualModulus", &T::OperatorLessEqual, {3, 4}, {5, 0}, true},
        TCompareCase{"GreaterByModulusNotSign", &T::OperatorGreater, {-6, 0}, {5, 0}, true},
        TCompareCase{"LessByModulusNotRealPart", &T::OperatorLess, {0, 1}, {0.5, 0}, false},
        TCompareCase{"GreaterThanSmaller", &T::OperatorGreater, {3, 4.1}, {5, 0}, true},
        TCompareCase{"GreaterEqualFalse", &T::OperatorGreaterEqual, {1, 1}, {0, 2}, false},
        TCompareCase{"LessEqualFalse", &T::OperatorLessEqual, {0, 2}, {1, 1}, false},
        TCompareCase{"GreaterAtHugeModulus", &T::OperatorGreater, {1e200, 0}, {1e199, 0}, true}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace zaro
