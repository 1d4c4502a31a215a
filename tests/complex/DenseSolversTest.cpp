// Both dense solvers on the same systems (the complex one with the real
// systems lifted to complex values), plus cases only complex values show.

#include "DenseSolvers.h"
#include "ZaroErrors.h"
#include "ZaroMathImport.h"
#include "ZaroMathTestEnvironment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace zaro {
namespace {

enum class TSolver { Real, Complex };

std::ostream& operator<<(std::ostream& out, TSolver solver) {
    return out << (solver == TSolver::Real ? "Real" : "Complex");
}

std::vector<TComplex> Lift(const std::vector<double>& values) {
    std::vector<TComplex> lifted;
    for (double v : values) {
        lifted.push_back(MakeComplex(v, 0));
    }
    return lifted;
}

// Runs one solver on copies of a and b; returns the solution and the pivot
// left at A[0,0] (never touched again after column 0 is done).
struct TOutcome {
    std::vector<double> X;
    double Pivot0 = 0;
};

TOutcome Solve(TSolver solver, std::vector<double> a, std::vector<double> b, std::int32_t n) {
    TOutcome outcome;
    if (solver == TSolver::Real) {
        SolveRealLinear(a, b, n);
        outcome.X = b;
        outcome.Pivot0 = a.empty() ? 0 : a[0];
        return outcome;
    }
    std::vector<TComplex> ca = Lift(a);
    std::vector<TComplex> cb = Lift(b);
    SolveComplexLinear(ca, cb, n);
    for (const TComplex& z : cb) {
        EXPECT_EQ(z.im, 0.0);
        outcome.X.push_back(z.re);
    }
    outcome.Pivot0 = ca.empty() ? 0 : ca[0].re;
    return outcome;
}

struct TSystemCase {
    const char* Name;
    std::int32_t N;
    std::vector<double> A;
    std::vector<double> B;
    std::vector<double> X;
    double Pivot0;
};

std::ostream& operator<<(std::ostream& out, const TSystemCase& c) {
    return out << c.Name;
}

class Solves : public ::testing::TestWithParam<std::tuple<TSystemCase, TSolver>> {};

TEST_P(Solves, GivesSolutionAndPivot) {
    const auto& [c, solver] = GetParam();
    const TOutcome outcome = Solve(solver, c.A, c.B, c.N);
    ASSERT_EQ(outcome.X.size(), c.X.size());
    for (std::size_t i = 0; i < c.X.size(); ++i) {
        EXPECT_NEAR(outcome.X[i], c.X[i], 1e-12) << "x[" << i << "]";
    }
    if (c.N > 0) {
        EXPECT_EQ(outcome.Pivot0, c.Pivot0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Solves,
    ::testing::Combine(
        ::testing::Values(
            TSystemCase{"OrderZeroTouchesNothing", 0, {7, 8}, {9}, {9}, 0},
            TSystemCase{"OrderOneDivides", 1, {4}, {2}, {0.5}, 4},
            TSystemCase{"ZeroDiagonalTakesRowBelow", 2, {0, 1, 1, 0}, {2, 3}, {3, 2}, 1},
            TSystemCase{"LargerEntryBelowIsExchanged", 2, {1, 0, 2, 1}, {1, 4}, {1, 2}, 2},
            // Column 0 holds 1, 3, 2: the last row exceeding the diagonal wins.
            TSystemCase{"LastRowAboveDiagonalNotLargest",
                        3,
                        {1, 1, 1, 3, 1, 2, 2, 3, 1},
                        {6, 11, 11},
                        {1, 2, 3},
                        2},
            TSystemCase{"EqualMagnitudeDoesNotMove", 2, {2, 1, -2, 1}, {3, -1}, {1, 1}, 2},
            TSystemCase{"NegativeEntryByMagnitude", 2, {1, 1, -3, 1}, {3, -1}, {1, 2}, -3},
            TSystemCase{
                "ExtraEntriesAreIgnored", 2, {2, 0, 0, 4, 99, 99}, {2, 8, 99}, {1, 2, 99}, 2},
            TSystemCase{"FourByFour",
                        4,
                        {2, -1, 0, 3, 4, 1, -2, 0, -1, 5, 3, 1, 0, 2, 1, -4},
                        {12, 0, 22, -9},
                        {1, 2, 3, 4},
                        4}),
        ::testing::Values(TSolver::Real, TSolver::Complex)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).Name) +
               (std::get<1>(info.param) == TSolver::Real ? "_Real" : "_Complex");
    });

struct TFailureCase {
    const char* Name;
    std::int32_t N;
    std::vector<double> A;
    std::vector<double> B;
};

std::ostream& operator<<(std::ostream& out, const TFailureCase& c) {
    return out << c.Name;
}

template <typename E>
class FailsWith : public ::testing::TestWithParam<std::tuple<TFailureCase, TSolver>> {
protected:
    void Check() {
        const auto& [c, solver] = GetParam();
        EXPECT_THROW(Solve(solver, c.A, c.B, c.N), E);
    }
};

using RangeFailure = FailsWith<ERangeError>;
using ZeroDivideFailure = FailsWith<EZeroDivide>;
using InvalidOpFailure = FailsWith<EInvalidOp>;
using OverflowFailure = FailsWith<EOverflow>;
TEST_P(RangeFailure, Raises) {
    Check();
}
TEST_P(ZeroDivideFailure, Raises) {
    Check();
}
TEST_P(InvalidOpFailure, Raises) {
    Check();
}
TEST_P(OverflowFailure, Raises) {
    Check();
}

const auto BothSolvers = ::testing::Values(TSolver::Real, TSolver::Complex);
const auto CaseName = [](const auto& info) {
    return std::string(std::get<0>(info.param).Name) +
           (std::get<1>(info.param) == TSolver::Real ? "_Real" : "_Complex");
};

INSTANTIATE_TEST_SUITE_P(
    Table, RangeFailure,
    ::testing::Combine(::testing::Values(TFailureCase{"MatrixShort", 2, {1, 0, 0}, {1, 1}},
                                         TFailureCase{"RightHandSideShort", 2, {1, 0, 0, 1}, {1}},
                                         TFailureCase{"BothEmpty", 1, {}, {}},
                                         TFailureCase{"NegativeOrder", -1, {1}, {1}}),
                       BothSolvers),
    CaseName);

// Singular systems: the exactly zero pivot divides a non-zero value first...
INSTANTIATE_TEST_SUITE_P(
    Table, ZeroDivideFailure,
    ::testing::Combine(::testing::Values(TFailureCase{"ZeroColumn", 2, {0, 1, 0, 1}, {1, 1}},
                                         TFailureCase{"DependentRows", 2, {1, 2, 2, 4}, {1, 3}},
                                         TFailureCase{"OrderOneZero", 1, {0}, {5}}),
                       BothSolvers),
    CaseName);

// ...or a zero, which is an invalid operation (0/0).
INSTANTIATE_TEST_SUITE_P(
    Table, InvalidOpFailure,
    ::testing::Combine(::testing::Values(TFailureCase{"ZeroMatrix", 2, {0, 0, 0, 0}, {1, 1}},
                                         TFailureCase{
                                             "ConsistentDependentRows", 2, {1, 2, 2, 4}, {1, 2}},
                                         TFailureCase{"NaNEntry", 1, {std::nan("")}, {1}}),
                       BothSolvers),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Table, OverflowFailure,
    ::testing::Combine(::testing::Values(TFailureCase{
                           "QuotientTooLarge", 2, {1e-300, 0, 0, 1}, {1e300, 1}}),
                       BothSolvers),
    CaseName);

TEST(DenseSolvers, ShortArraysAreLeftUntouched) {
    std::vector<double> a{1, 2, 3};
    std::vector<double> b{4, 5};
    EXPECT_THROW(SolveRealLinear(a, b, 2), ERangeError);
    EXPECT_EQ(a, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(b, (std::vector<double>{4, 5}));

    std::vector<TComplex> ca = Lift({1, 0, 0, 1});
    std::vector<TComplex> cb = Lift({4});
    EXPECT_THROW(SolveComplexLinear(ca, cb, 2), ERangeError);
    EXPECT_EQ(ca, Lift({1, 0, 0, 1}));
    EXPECT_EQ(cb, Lift({4}));
}

TEST(DenseSolvers, ComplexSystem) {
    // [[1+i, 2], [3, 4-i]] · [1, i] = [1+3i, 4+4i]
    std::vector<TComplex> a{{1, 1}, {2, 0}, {3, 0}, {4, -1}};
    std::vector<TComplex> b{{1, 3}, {4, 4}};
    SolveComplexLinear(a, b, 2);
    EXPECT_NEAR(b[0].re, 1, 1e-14);
    EXPECT_NEAR(b[0].im, 0, 1e-14);
    EXPECT_NEAR(b[1].re, 0, 1e-14);
    EXPECT_NEAR(b[1].im, 1, 1e-14);
    EXPECT_EQ(a[0], MakeComplex(3, 0)); // |3|² = 9 exceeds |1+i|² = 2
}

TEST(DenseSolvers, ComplexPivotComparesSquaredModulus) {
    // (0, 3) has the smaller real part but the larger modulus: it is the pivot.
    // (3, 4) below (0, 5) has the same modulus and does not move it.
    std::vector<TComplex> a{{2, 0}, {1, 0}, {0, 3}, {1, 0}};
    std::vector<TComplex> b{{3, 0}, {1, 3}};
    SolveComplexLinear(a, b, 2);
    EXPECT_EQ(a[0], MakeComplex(0, 3));
    EXPECT_NEAR(b[0].re, 1, 1e-14);
    EXPECT_NEAR(b[1].re, 1, 1e-14);

    std::vector<TComplex> same{{0, 5}, {1, 0}, {3, 4}, {0, 0}};
    std::vector<TComplex> rhs{{0, 5}, {3, 4}};
    SolveComplexLinear(same, rhs, 2);
    EXPECT_EQ(same[0], MakeComplex(0, 5));
    EXPECT_NEAR(rhs[0].re, 1, 1e-14);
    EXPECT_NEAR(rhs[1].re, 0, 1e-14);
}

TEST(DenseSolvers, ComplexSolverGoesThroughTheBinding) {
    std::vector<TComplex> a{{2, 0}};
    std::vector<TComplex> b{{4, 0}};
    UnloadZaroMath();
    EXPECT_THROW(SolveComplexLinear(a, b, 1), EZaroError);
    test::RestoreZaroMath();
    SolveComplexLinear(a, b, 1);
    EXPECT_EQ(b[0], MakeComplex(2, 0));
}

} // namespace
} // namespace zaro
