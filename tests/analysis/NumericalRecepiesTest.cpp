#include "NumericalRecepies.h"
#include "AnalysisErrors.h"

#include "ZaroErrors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace zaro {
namespace {

// Runs f and returns the message of the EZaroError it raises ("" if none);
// errors of another kind fail the test.
template <class F> std::string ErrorMessage(F f) {
    try {
        f();
    } catch (const EMathError& e) {
        ADD_FAILURE() << "unexpected math error: " << e.what();
        return "math error";
    } catch (const EZaroError& e) {
        return e.what();
    }
    return "";
}

// A vector function that counts its evaluations.
struct TCounted {
    TVectorFunction Body;
    int Calls = 0;
    TVectorFunction Function() {
        return [this](int n, const TDoubleArray& x, TDoubleArray& f) {
            ++Calls;
            Body(n, x, f);
        };
    }
};

double MaxAbsResidual(const TVectorFunction& vecfunc, const TDoubleArray& x) {
    TDoubleArray f(x.size());
    vecfunc(static_cast<int>(x.size()), x, f);
    double m = 0.0;
    for (double v : f) {
        m = std::max(m, std::fabs(v));
    }
    return m;
}

// ---------------------------------------------------------------- Newton

struct TNewtonCase {
    const char* Name;
    TVectorFunction Function;
    TDoubleArray Start;
    TDoubleArray Root;
};

class NewtonRootTest : public ::testing::TestWithParam<TNewtonCase> {};

TEST_P(NewtonRootTest, ConvergesToTheKnownRoot) {
    const TNewtonCase& c = GetParam();
    TDoubleArray x = c.Start;
    int check = -1;
    Z_Newt(x, static_cast<int>(x.size()), check, c.Function);
    EXPECT_EQ(check, 0);
    // The last accepted point; a final step below the line search's step
    // tolerance is not taken, so this may be just above the 1e-6 test.
    EXPECT_LT(MaxAbsResidual(c.Function, x), 1e-5);
    for (std::size_t i = 0; i < x.size(); ++i) {
        EXPECT_NEAR(x[i], c.Root[i], 1e-5) << "component " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    KnownSystems, NewtonRootTest,
    ::testing::Values(TNewtonCase{"Cubic",
                                  [](int, const TDoubleArray& x, TDoubleArray& f) {
                                      f[0] = x[0] * x[0] * x[0] - 2.0 * x[0] - 5.0;
                                  },
                                  {3.0},
                                  {2.0945514815423265}},
                      TNewtonCase{"CircleAndDiagonal",
                                  [](int, const TDoubleArray& x, TDoubleArray& f) {
                                      f[0] = x[0] * x[0] + x[1] * x[1] - 4.0;
                                      f[1] = x[0] - x[1];
                                  },
                                  {1.0, 0.5},
                                  {std::sqrt(2.0), std::sqrt(2.0)}},
                      TNewtonCase{"Rosenbrock",
                                  [](int, const TDoubleArray& x, TDoubleArray& f) {
                                      f[0] = 10.0 * (x[1] - x[0] * x[0]);
                                      f[1] = 1.0 - x[0];
                                  },
                                  {-1.2, 1.0},
                                  {1.0, 1.0}},
                      // A diode with 1 kOhm from 5 V: the node voltage v and the current i.
                      TNewtonCase{"DiodeAndResistor",
                                  [](int, const TDoubleArray& x, TDoubleArray& f) {
                                      f[0] = 1e-14 * (std::exp(x[0] / 0.025) - 1.0) - x[1];
                                      f[1] = (5.0 - x[0]) / 1000.0 - x[1];
                                  },
                                  {0.6, 0.004},
                                  {0.6698509496766558, 0.004330149050323345}},
                      TNewtonCase{"Linear3",
                                  [](int, const TDoubleArray& x, TDoubleArray& f) {
                                      f[0] = 2 * x[0] + x[1] + x[2] - 5;
                                      f[1] = 4 * x[0] - 6 * x[1] - (-2);
                                      f[2] = -2 * x[0] + 7 * x[1] + 2 * x[2] - 9;
                                  },
                                  {0.0, 0.0, 0.0},
                                  {1.0, 1.0, 2.0}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(NewtonTest, ZeroUnknownsEvaluateOnceAndReturn) {
    TCounted counted{[](int, const TDoubleArray&, TDoubleArray&) {}};
    TDoubleArray x;
    int check = -1;
    Z_Newt(x, 0, check, counted.Function());
    EXPECT_EQ(check, 0);
    EXPECT_EQ(counted.Calls, 1);
}

TEST(NewtonTest, AStartPointAtTheRootNeedsNoJacobian) {
    TCounted counted{[](int, const TDoubleArray& x, TDoubleArray& f) {
        f[0] = x[0] - 2.0;
        f[1] = x[1] + 1e-9;
    }};
    TDoubleArray x = {2.0, 0.0};
    int check = -1;
    Z_Newt(x, 2, check, counted.Function());
    EXPECT_EQ(check, 0);
    EXPECT_EQ(counted.Calls, 1);
    EXPECT_EQ(x, (TDoubleArray{2.0, 0.0}));
}

TEST(NewtonTest, EachIterationCostsOneEvaluationPerUnknownPlusTheLineSearch) {
    // Linear: one full Newton step is accepted and lands on the root.
    TCounted counted{[](int, const TDoubleArray& x, TDoubleArray& f) {
        f[0] = x[0] + x[1] - 3.0;
        f[1] = x[0] - x[1] - 1.0;
    }};
    TDoubleArray x = {0.0, 0.0};
    int check = -1;
    Z_Newt(x, 2, check, counted.Function());
    EXPECT_EQ(counted.Calls, 1 + 2 + 1);
    EXPECT_NEAR(x[0], 2.0, 1e-9);
    EXPECT_NEAR(x[1], 1.0, 1e-9);
}

TEST(NewtonTest, ARootAtInfinityRunsOutOfIterations) {
    // f = 1/x: every step is accepted, but the residual never reaches 1e-6
    // within the 501 iterations because steps are capped at 100.
    TCounted counted{[](int, const TDoubleArray& x, TDoubleArray& f) { f[0] = 1.0 / x[0]; }};
    TDoubleArray x = {0.01};
    int check = -1;
    EXPECT_EQ(ErrorMessage([&] { Z_Newt(x, 1, check, counted.Function()); }),
              "Z_Newt: MAXITS exceeded in Z_Newt.");
    EXPECT_EQ(counted.Calls, 1 + 501 * 2);
    EXPECT_GT(x[0], 40000.0);
    x = {0.01};
    EXPECT_THROW(Z_Newt(x, 1, check, counted.Function()), ENewtonFailure);
}

TEST(NewtonTest, ALocalMinimumOfTheNormSetsTheCheckFlag) {
    // (x - 0.1)^2 + 0.001 has no real root; the norm is smallest at x = 0.1.
    TDoubleArray x = {0.5};
    int check = -1;
    Z_Newt(x, 1, check, [](int, const TDoubleArray& v, TDoubleArray& f) {
        f[0] = (v[0] - 0.1) * (v[0] - 0.1) + 1e-3;
    });
    EXPECT_EQ(check, 1);
    EXPECT_NEAR(x[0], 0.1, 1e-5);
}

TEST(NewtonTest, AnEquationThatIgnoresEveryUnknownIsASingularJacobian) {
    TDoubleArray x = {0.0, 0.0};
    int check = -1;
    EXPECT_EQ(ErrorMessage([&] {
                  Z_Newt(x, 2, check, [](int, const TDoubleArray& v, TDoubleArray& f) {
                      f[0] = v[0] + v[1] - 1.0;
                      f[1] = 5.0;
                  });
              }),
              "Z_LUDecomposition: Singular matrix is given.");
}

TEST(NewtonTest, ErrorsOfTheVectorFunctionPassThroughAndLeaveNoState) {
    int calls = 0;
    TVectorFunction breaking = [&](int, const TDoubleArray& v, TDoubleArray& f) {
        if (++calls == 2) { // inside the Jacobian
            throw EZaroError("User Break.");
        }
        f[0] = v[0] * v[0] - 2.0;
    };
    TDoubleArray x = {1.0};
    int check = -1;
    EXPECT_EQ(ErrorMessage([&] { Z_Newt(x, 1, check, breaking); }), "User Break.");
    EXPECT_EQ(x[0], 1.0); // restored by the Jacobian step that was interrupted
    EXPECT_EQ(ErrorMessage([&] { HalfSquaredNorm(x); }),
              "HalfSquaredNorm: No vector function is set.");
}

TEST(NewtonTest, FloatingPointFaultsOfTheFunctionAreMathErrors) {
    TDoubleArray x = {1.0};
    int check;
    EXPECT_THROW(Z_Newt(x, 1, check,
                        [](int, const TDoubleArray&, TDoubleArray& f) {
                            f[0] = std::numeric_limits<double>::quiet_NaN();
                        }),
                 EInvalidOp);
    EXPECT_THROW(Z_Newt(x, 1, check,
                        [](int, const TDoubleArray&, TDoubleArray& f) {
                            f[0] = std::numeric_limits<double>::infinity();
                        }),
                 EOverflow);
    // 1e200 squared overflows the merit function.
    EXPECT_THROW(
        Z_Newt(x, 1, check, [](int, const TDoubleArray&, TDoubleArray& f) { f[0] = 1e200; }),
        EOverflow);
}

TEST(NewtonTest, ShortArraysAreRangeErrors) {
    TDoubleArray x = {1.0};
    int check;
    auto f = [](int, const TDoubleArray&, TDoubleArray& out) { out.assign(out.size(), 1.0); };
    EXPECT_THROW(Z_Newt(x, 2, check, f), ERangeError);
    EXPECT_THROW(Z_Newt(x, -1, check, f), ERangeError);
    // A function that shrinks its result vector is caught before it is read.
    EXPECT_THROW(
        Z_Newt(x, 1, check, [](int, const TDoubleArray&, TDoubleArray& out) { out.clear(); }),
        ERangeError);
}

TEST(NewtonTest, AVectorFunctionMayRunANestedSolve) {
    // The inner solve finds sqrt(a) for the outer unknown a; the outer one
    // then solves sqrt(a) = 3. Each solve keeps its own merit state.
    TVectorFunction outer = [](int, const TDoubleArray& a, TDoubleArray& f) {
        TDoubleArray r = {1.0};
        int innerCheck;
        Z_Newt(r, 1, innerCheck,
               [&](int, const TDoubleArray& v, TDoubleArray& g) { g[0] = v[0] * v[0] - a[0]; });
        f[0] = r[0] - 3.0;
    };
    TDoubleArray a = {4.0};
    int check = -1;
    Z_Newt(a, 1, check, outer);
    EXPECT_EQ(check, 0);
    EXPECT_NEAR(a[0], 9.0, 1e-4);
}

TEST(HalfSquaredNormTest, EvaluatesTheInstalledFunctionIntoItsFunctionVector) {
    TNewtonScope scope(2, [](int, const TDoubleArray& x, TDoubleArray& f) {
        f[0] = x[0] - 1.0;
        f[1] = 2.0 * x[1];
    });
    EXPECT_DOUBLE_EQ(HalfSquaredNorm({4.0, 2.0}), 0.5 * (9.0 + 16.0));
    EXPECT_EQ(scope.FunctionVector(), (TDoubleArray{3.0, 4.0}));
    EXPECT_THROW(HalfSquaredNorm({4.0}), ERangeError);
}

TEST(JacobianTest, ForwardDifferencesOfALinearFunctionGiveItsMatrix) {
    TVectorFunction f = [](int, const TDoubleArray& x, TDoubleArray& out) {
        out[0] = 2.0 * x[0] - 3.0 * x[1];
        out[1] = 0.5 * x[0] + 4.0 * x[1];
    };
    TDoubleArray x = {1000.0, 0.0};
    TDoubleArray fvec(2);
    f(2, x, fvec);
    TDoubleArray df;
    ForwardDifferenceJacobian(2, x, fvec, df, f);
    ASSERT_EQ(df.size(), 4u);
    EXPECT_NEAR(df[0], 2.0, 1e-6);
    EXPECT_NEAR(df[1], -3.0, 1e-6);
    EXPECT_NEAR(df[2], 0.5, 1e-6);
    EXPECT_NEAR(df[3], 4.0, 1e-6);
    EXPECT_EQ(x, (TDoubleArray{1000.0, 0.0}));
}

TEST(JacobianTest, StepsAreRelativeToTheVariableOrAbsoluteAtZero) {
    std::vector<TDoubleArray> seen;
    TVectorFunction f = [&](int, const TDoubleArray& x, TDoubleArray& out) {
        seen.push_back(x);
        out[0] = x[0] * x[0];
        out[1] = x[1] * x[1];
    };
    TDoubleArray x = {300.0, 0.0};
    TDoubleArray fvec = {90000.0, 0.0};
    TDoubleArray df;
    ForwardDifferenceJacobian(2, x, fvec, df, f);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], (TDoubleArray{300.0 + 300.0 * 1e-5, 0.0}));
    EXPECT_EQ(seen[1], (TDoubleArray{300.0, 1e-5}));
    double h = (300.0 + 300.0 * 1e-5) - 300.0;
    EXPECT_EQ(df[0], ((300.0 + h) * (300.0 + h) - 90000.0) / h);
    EXPECT_EQ(df[1], 0.0);
    EXPECT_NEAR(df[3], 1e-5, 1e-12);
}

TEST(JacobianTest, AnInterruptedColumnRestoresTheVariable) {
    int calls = 0;
    TVectorFunction f = [&](int, const TDoubleArray&, TDoubleArray& out) {
        if (++calls == 2) {
            throw EZaroError("User Break.");
        }
        out.assign(out.size(), 0.0);
    };
    TDoubleArray x = {1.5, -2.5};
    TDoubleArray df;
    EXPECT_EQ(ErrorMessage([&] {
                  ForwardDifferenceJacobian(2, x, {0.0, 0.0}, df, f);
              }),
              "User Break.");
    EXPECT_EQ(x, (TDoubleArray{1.5, -2.5}));
}

// ---------------------------------------------------------------- line search

TEST(LineSearchTest, AnUphillDirectionIsARoundoffProblemBeforeAnyStep) {
    int calls = 0;
    TDoubleArray p = {1.0, 0.0};
    TDoubleArray x;
    double f;
    int check;
    EXPECT_EQ(ErrorMessage([&] {
                  Z_Lnsrch(2, {0.0, 0.0}, 1.0, {1.0, 5.0}, p, x, f, 100.0, check,
                           [&](const TDoubleArray&) { return ++calls, 0.0; });
              }),
              "Z_Lnsrch: Roundoff problem in Z_Lnsrch.");
    EXPECT_EQ(calls, 0);
    EXPECT_THROW(Z_Lnsrch(2, {0.0, 0.0}, 1.0, {1.0, 5.0}, p, x, f, 100.0, check,
                          [&](const TDoubleArray&) { return 0.0; }),
                 ENewtonFailure);
    // A zero slope counts as uphill too.
    EXPECT_EQ(ErrorMessage([&] {
                  Z_Lnsrch(2, {0.0, 0.0}, 1.0, {0.0, 5.0}, p, x, f, 100.0, check,
                           [&](const TDoubleArray&) { return 0.0; });
              }),
              "Z_Lnsrch: Roundoff problem in Z_Lnsrch.");
}

TEST(LineSearchTest, AFullStepWithSufficientDecreaseIsTakenAtOnce) {
    int calls = 0;
    TDoubleArray p = {2.0, -1.0};
    TDoubleArray x;
    double f = 0.0;
    int check = -1;
    Z_Lnsrch(2, {1.0, 1.0}, 10.0, {-1.0, 1.0}, p, x, f, 100.0, check, [&](const TDoubleArray& v) {
        ++calls;
        return v[0] + v[1];
    });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(check, 0);
    EXPECT_EQ(x, (TDoubleArray{3.0, 0.0}));
    EXPECT_EQ(f, 3.0);
}

TEST(LineSearchTest, LongStepsAreCutToTheMaximumStep) {
    TDoubleArray p = {30.0, 40.0};
    TDoubleArray x;
    double f;
    int check;
    Z_Lnsrch(2, {0.0, 0.0}, 1.0, {-1.0, -1.0}, p, x, f, 5.0, check,
             [](const TDoubleArray&) { return 0.0; });
    EXPECT_DOUBLE_EQ(p[0], 3.0);
    EXPECT_DOUBLE_EQ(p[1], 4.0);
    EXPECT_DOUBLE_EQ(x[0], 3.0);
    EXPECT_DOUBLE_EQ(x[1], 4.0);
}

TEST(LineSearchTest, BacktracksByQuadraticThenCubicModelsAndGivesUpAtTheStepTolerance) {
    // Merit x^2 along p = 1 from 0 with slope -1: it never decreases, so the
    // search backtracks until the step is below 1e-7 and returns to xold.
    std::vector<double> lambdas;
    TDoubleArray p = {1.0};
    TDoubleArray x;
    double f;
    int check = -1;
    Z_Lnsrch(1, {0.0}, 0.0, {-1.0}, p, x, f, 100.0, check, [&](const TDoubleArray& v) {
        lambdas.push_back(v[0]);
        return v[0] * v[0];
    });
    ASSERT_GE(lambdas.size(), 4u);
    EXPECT_EQ(lambdas[0], 1.0);
    EXPECT_DOUBLE_EQ(lambdas[1], 0.25); // -slope / (2 (f - fold - slope)) = 1 / 4
    // Cubic through (1, 1) and (0.25, 0.0625): a = -4, b = 6, disc = 24.
    EXPECT_DOUBLE_EQ(lambdas[2], 1.0 / (6.0 + std::sqrt(24.0)));
    for (std::size_t i = 1; i < lambdas.size(); ++i) {
        EXPECT_LE(lambdas[i], 0.5 * lambdas[i - 1]);
        EXPECT_GE(lambdas[i], 0.1 * lambdas[i - 1] * (1 - 1e-15));
    }
    EXPECT_LT(lambdas.back(), 1e-7);
    EXPECT_GE(lambdas[lambdas.size() - 2], 1e-7);
    EXPECT_EQ(check, 1);
    EXPECT_EQ(x, (TDoubleArray{0.0}));
}

TEST(LineSearchTest, AStepBelowTheStepToleranceIsNotTakenEvenIfItDecreases) {
    // |p| / max(|xold|, 1) = 5e-8: the minimum step fraction is 2, so the
    // very first trial already counts as too small.
    int calls = 0;
    TDoubleArray p = {-1e-7};
    TDoubleArray x;
    double f;
    int check = -1;
    Z_Lnsrch(1, {2.0}, 1.0, {1.0}, p, x, f, 100.0, check, [&](const TDoubleArray&) {
        ++calls;
        return 0.0;
    });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(check, 1);
    EXPECT_EQ(x, (TDoubleArray{2.0}));
    EXPECT_EQ(f, 0.0); // the value of the trial point, as the merit state holds it
}

// ---------------------------------------------------------------- LU

TEST(LUTest, SolvesAKnownSystem) {
    TDoubleArray a = {2, 1, 1, 4, -6, 0, -2, 7, 2};
    TDoubleArray b = {5, -2, 9};
    double d;
    TIntegerArray indx;
    Z_LUDecomposition(a, 3, d, indx);
    LUBackSubstitution(a, 3, indx, b);
    EXPECT_NEAR(b[0], 1.0, 1e-12);
    EXPECT_NEAR(b[1], 1.0, 1e-12);
    EXPECT_NEAR(b[2], 2.0, 1e-12);
    // d times the diagonal of U is the determinant, -16.
    EXPECT_NEAR(d * a[0] * a[4] * a[8], -16.0, 1e-12);
}

TEST(LUTest, FactorsCanBeReusedForSeveralRightHandSides) {
    TDoubleArray a = {4, 3, 6, 3};
    double d;
    TIntegerArray indx;
    Z_LUDecomposition(a, 2, d, indx);
    for (auto [b, expected] : {std::pair{TDoubleArray{10, 12}, TDoubleArray{1, 2}},
                               std::pair{TDoubleArray{0, 0}, TDoubleArray{0, 0}},
                               std::pair{TDoubleArray{3, 3}, TDoubleArray{0, 1}}}) {
        LUBackSubstitution(a, 2, indx, b);
        EXPECT_NEAR(b[0], expected[0], 1e-12);
        EXPECT_NEAR(b[1], expected[1], 1e-12);
    }
}

TEST(LUTest, PivotsByScaledMagnitudeAndTheLastEqualRowWins) {
    TDoubleArray a = {1, 0, 1, 1};
    double d;
    TIntegerArray indx;
    Z_LUDecomposition(a, 2, d, indx);
    EXPECT_EQ(indx, (TIntegerArray{1, 1}));
    EXPECT_EQ(d, -1.0);
    TDoubleArray b = {2, 5};
    LUBackSubstitution(a, 2, indx, b);
    EXPECT_DOUBLE_EQ(b[0], 2.0);
    EXPECT_DOUBLE_EQ(b[1], 3.0);

    // Row 0 has the larger entry but the smaller scaled one.
    TDoubleArray c = {10, 1000, 1, 0.5};
    Z_LUDecomposition(c, 2, d, indx);
    EXPECT_EQ(indx[0], 1);
}

TEST(LUTest, AZeroRowIsSingularButAZeroPivotIsReplaced) {
    TDoubleArray zeroRow = {1, 2, 0, 0};
    double d;
    TIntegerArray indx;
    EXPECT_EQ(ErrorMessage([&] { Z_LUDecomposition(zeroRow, 2, d, indx); }),
              "Z_LUDecomposition: Singular matrix is given.");

    TDoubleArray dependent = {1, 2, 2, 4};
    Z_LUDecomposition(dependent, 2, d, indx);
    EXPECT_EQ(dependent[3], 1e-30);
}

TEST(LUTest, BadIndicesAndShortArraysAreRangeErrors) {
    TDoubleArray a = {1, 0, 0, 1};
    TDoubleArray b = {1, 1};
    EXPECT_THROW(LUBackSubstitution(a, 2, {0, 2}, b), ERangeError);
    EXPECT_THROW(LUBackSubstitution(a, 2, {0, -1}, b), ERangeError);
    EXPECT_THROW(LUBackSubstitution(a, 2, {0}, b), ERangeError);
    TDoubleArray shortB = {1};
    EXPECT_THROW(LUBackSubstitution(a, 2, {0, 1}, shortB), ERangeError);
    double d;
    TIntegerArray indx;
    TDoubleArray shortA = {1, 0, 0};
    EXPECT_THROW(Z_LUDecomposition(shortA, 2, d, indx), ERangeError);
}

TEST(LUTest, NonFiniteEntriesAndZeroDiagonalsAreMathErrors) {
    double d;
    TIntegerArray indx;
    TDoubleArray a = {1, std::numeric_limits<double>::quiet_NaN(), 0, 1};
    EXPECT_THROW(Z_LUDecomposition(a, 2, d, indx), EInvalidOp);
    TDoubleArray b = {1, 1};
    EXPECT_THROW(LUBackSubstitution({1, 0, 0, 0}, 2, {0, 1}, b), EZeroDivide);
}

// ---------------------------------------------------------------- bracketing and Brent

TEST(BracketTest, WalksDownhillUntilTheMinimumIsEnclosed) {
    for (double centre : {3.0, -3.0, 0.4, 250.0}) {
        auto f = [centre](double t) { return (t - centre) * (t - centre) + 1.0; };
        double a = 0.0;
        double b = 1.0;
        double c, fa, fb, fc;
        BracketMinimum(a, b, c, fa, fb, fc, f);
        EXPECT_LT(std::min(a, c), centre) << centre;
        EXPECT_GT(std::max(a, c), centre) << centre;
        EXPECT_LE(fb, fa);
        EXPECT_LE(fb, fc);
        EXPECT_EQ(fa, f(a));
        EXPECT_EQ(fb, f(b));
        EXPECT_EQ(fc, f(c));
    }
}

TEST(BracketTest, AFunctionWithoutMinimumOverflowsInsteadOfLoopingForever) {
    double a = 0.0;
    double b = 1.0;
    double c, fa, fb, fc;
    EXPECT_THROW(BracketMinimum(a, b, c, fa, fb, fc, [](double t) { return -t; }), EMathError);
}

TEST(BrentTest, FindsTheMinimumInsideTheBracket) {
    double xmin = 0.0;
    double fmin = brent(
        0.0, 1.0, 5.0, [](double t) { return (t - 2.0) * (t - 2.0) + 0.5; }, 1e-8, xmin);
    EXPECT_NEAR(xmin, 2.0, 1e-6);
    EXPECT_NEAR(fmin, 0.5, 1e-12);

    fmin = brent(
        5.0, 1.0, -3.0, [](double t) { return std::cosh(t - 0.3); }, 2e-4, xmin);
    EXPECT_NEAR(xmin, 0.3, 1e-3);
    EXPECT_NEAR(fmin, 1.0, 1e-6);
}

TEST(BrentTest, GivesUpAfterAHundredIterations) {
    int calls = 0;
    double xmin;
    EXPECT_EQ(ErrorMessage([&] {
                  brent(
                      -1e100, 0.0, 1e100, [&](double) { return ++calls, 1.0; }, 0.0, xmin);
              }),
              "brent: Too many iterations");
    EXPECT_EQ(calls, 101);
}

// ---------------------------------------------------------------- line minimisation and Powell

TEST(LineMinimiseTest, MovesToTheMinimumAlongTheDirectionAndReturnsTheStep) {
    TDoubleArray p = {0.0, 0.0};
    TDoubleArray xi = {1.0, 1.0};
    double fret;
    LineMinimise(p, xi, 2, fret, [](const TDoubleArray& v) {
        return (v[0] - 1.0) * (v[0] - 1.0) + (v[1] - 2.0) * (v[1] - 2.0);
    });
    EXPECT_NEAR(p[0], 1.5, 1e-3);
    EXPECT_NEAR(p[1], 1.5, 1e-3);
    EXPECT_EQ(xi, p); // the displacement from the origin
    EXPECT_NEAR(fret, 0.5, 1e-6);
}

TEST(LineFunctionTest, EvaluatesAlongTheInstalledLineOnly) {
    EXPECT_EQ(ErrorMessage([] { LineFunction(1.0); }), "LineFunction: No line is set.");
    {
        TLineScope line(2, {1.0, 2.0}, {3.0, 4.0},
                        [](const TDoubleArray& v) { return 10.0 * v[0] + v[1]; });
        EXPECT_EQ(LineFunction(2.0), 10.0 * 7.0 + 10.0);
        EXPECT_EQ(LineFunction(0.0), 12.0);
    }
    EXPECT_EQ(ErrorMessage([] { LineFunction(1.0); }), "LineFunction: No line is set.");
}

TDoubleArray Identity(int n) {
    TDoubleArray xi(static_cast<std::size_t>(n * n), 0.0);
    for (int i = 0; i < n; ++i) {
        xi[static_cast<std::size_t>(i * n + i)] = 1.0;
    }
    return xi;
}

struct TPowellCase {
    const char* Name;
    TObjectiveFunction Function;
    TDoubleArray Start;
    TDoubleArray Minimum;
    double MinimumValue;
    double Tolerance;
};

class PowellMinimumTest : public ::testing::TestWithParam<TPowellCase> {};

TEST_P(PowellMinimumTest, FindsTheKnownMinimum) {
    const TPowellCase& c = GetParam();
    TDoubleArray p = c.Start;
    const int n = static_cast<int>(p.size());
    TDoubleArray xi = Identity(n);
    int iter = 0;
    double fret = 0.0;
    powell(p, xi, n, 1e-10, iter, fret, c.Function);
    EXPECT_GE(iter, 1);
    EXPECT_LT(iter, 200);
    EXPECT_NEAR(fret, c.MinimumValue, c.Tolerance);
    EXPECT_EQ(fret, c.Function(p));
    for (int i = 0; i < n; ++i) {
        EXPECT_NEAR(p[i], c.Minimum[i], std::sqrt(c.Tolerance)) << "component " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(KnownMinima, PowellMinimumTest,
                         ::testing::Values(TPowellCase{"ShiftedBowl",
                                                       [](const TDoubleArray& v) {
                                                           return (v[0] - 1) * (v[0] - 1) +
                                                                  10 * (v[1] + 2) * (v[1] + 2) + 3;
                                                       },
                                                       {0.0, 0.0},
                                                       {1.0, -2.0},
                                                       3.0,
                                                       1e-8},
                                           TPowellCase{"CoupledQuadratic",
                                                       [](const TDoubleArray& v) {
                                                           // minimum where 2x + y = 1 and x + 2y =
                                                           // 2: x = 0, y = 1
                                                           return v[0] * v[0] + v[0] * v[1] +
                                                                  v[1] * v[1] - v[0] - 2 * v[1];
                                                       },
                                                       {3.0, -4.0},
                                                       {0.0, 1.0},
                                                       -1.0,
                                                       1e-8},
                                           TPowellCase{"Rosenbrock",
                                                       [](const TDoubleArray& v) {
                                                           return 100 * (v[1] - v[0] * v[0]) *
                                                                      (v[1] - v[0] * v[0]) +
                                                                  (1 - v[0]) * (1 - v[0]);
                                                       },
                                                       {-1.2, 1.0},
                                                       {1.0, 1.0},
                                                       0.0,
                                                       1e-6},
                                           TPowellCase{"ThreeResidualsSquared",
                                                       [](const TDoubleArray& v) {
                                                           double r0 = v[0] - 2 * v[1] + 1;
                                                           double r1 = v[1] + v[2] - 4;
                                                           double r2 = v[2] - 3;
                                                           return r0 * r0 + r1 * r1 + r2 * r2;
                                                       },
                                                       {0.0, 0.0, 0.0},
                                                       {1.0, 1.0, 3.0},
                                                       0.0,
                                                       1e-8}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(PowellTest, AStartAtTheMinimumReturnsAfterTheFirstIteration) {
    TDoubleArray p = {0.0, 0.0};
    TDoubleArray xi = Identity(2);
    int iter = 0;
    double fret = -1.0;
    powell(p, xi, 2, 1e-5, iter, fret,
           [](const TDoubleArray& v) { return v[0] * v[0] + v[1] * v[1]; });
    EXPECT_EQ(iter, 1);
    EXPECT_EQ(fret, 0.0);
    EXPECT_EQ(xi, Identity(2));
}

TEST(PowellTest, ZeroUnknownsEvaluateOnce) {
    TDoubleArray p;
    TDoubleArray xi;
    int iter = 0;
    double fret = 0.0;
    int calls = 0;
    powell(p, xi, 0, 1e-5, iter, fret, [&](const TDoubleArray&) { return ++calls, 7.0; });
    EXPECT_EQ(iter, 1);
    EXPECT_EQ(fret, 7.0);
    EXPECT_EQ(calls, 1);
}

TEST(PowellTest, StopsWithItsMessageAfterTwoHundredIterations) {
    // A negative tolerance can never be met.
    TDoubleArray p = {0.5};
    TDoubleArray xi = Identity(1);
    int iter = 0;
    double fret;
    EXPECT_EQ(ErrorMessage([&] {
                  powell(p, xi, 1, -1.0, iter, fret,
                         [](const TDoubleArray& v) { return v[0] * v[0] + 1.0; });
              }),
              "powell: exceeding maximum iterations.");
    EXPECT_EQ(iter, 200);
}

TEST(PowellTest, ErrorsOfTheObjectivePassThroughAndLeaveNoLine) {
    int calls = 0;
    TDoubleArray p = {1.0, 1.0};
    TDoubleArray xi = Identity(2);
    int iter;
    double fret;
    EXPECT_EQ(ErrorMessage([&] {
                  powell(p, xi, 2, 1e-5, iter, fret, [&](const TDoubleArray& v) {
                      if (++calls == 5) {
                          throw EZaroError("User Break.");
                      }
                      return v[0] * v[0] + v[1] * v[1];
                  });
              }),
              "User Break.");
    EXPECT_EQ(ErrorMessage([] { LineFunction(0.0); }), "LineFunction: No line is set.");
}

TEST(PowellTest, ShortArraysAreRangeErrorsAndNonFiniteValuesMathErrors) {
    TDoubleArray p = {1.0, 1.0};
    TDoubleArray xi = {1.0, 0.0, 0.0};
    int iter;
    double fret;
    auto bowl = [](const TDoubleArray& v) { return v[0] * v[0] + v[1] * v[1]; };
    EXPECT_THROW(powell(p, xi, 2, 1e-5, iter, fret, bowl), ERangeError);
    TDoubleArray shortP = {1.0};
    TDoubleArray goodXi = Identity(2);
    EXPECT_THROW(powell(shortP, goodXi, 2, 1e-5, iter, fret, bowl), ERangeError);
    EXPECT_THROW(
        powell(p, goodXi, 2, 1e-5, iter, fret, [](const TDoubleArray&) { return std::nan(""); }),
        EInvalidOp);
}

} // namespace
} // namespace zaro
